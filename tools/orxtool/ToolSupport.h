#pragma once

// What the subcommands share: reading the input files and writing the outputs with clear messages,
// "-" for standard input and output, and the catalog of Program.ini (the --ini file, or the one the
// program itself reads).

#include "Band.h"
#include "Commands.h"
#include "RadioImage.h"

#include <cstddef>
#include <string>

namespace orxtool {

// "orxtool: <message>" on stderr.
void PrintError(const std::string& message);

// --quiet: only errors are printed. PrintNote prints a line on stderr unless quiet.
void SetQuiet(bool quiet);
bool Quiet();
void PrintNote(const std::string& line);

// The folder of the running orxtool, where orxprog and its Program.ini are found. Called once at start.
void LocateProgramFolder();

// "-" in place of a file name: standard input where a file is read, standard output where one is
// written.
bool IsStdStream(const std::string& path);
// How a file is named in messages: 'name', or "standard input" / "standard output".
std::string Quoted(const std::string& path, bool output = false);

// Why path cannot be read, in words: "no such file", "it is a folder", "the name is too long"...
std::string OpenFailure(const std::string& path);

// Reads at most limit bytes of a file or of standard input. False, with the message printed, when it
// cannot be read (standard input can be read only once).
bool ReadInput(const std::string& path, std::size_t limit, std::string& bytes);

// Loads a .sin file (or standard input); on failure prints why and returns false, leaving image
// untouched.
bool LoadInput(const std::string& path, orx::RadioImage& image);

// Writes the 4096 bytes to a file, as the program saves them, or to standard output. False with the
// message printed when that failed.
bool SaveOutput(const std::string& path, const orx::RadioImage& image);
// Writes text to a file or to standard output; false with the message printed when that failed.
bool WriteOutput(const std::string& path, const std::string& text);

// A .sin file is not written to a terminal: true, with the message printed, when path is standard
// output and that is a terminal. Checked before any work is done.
bool RefuseBinaryToTerminal(const std::string& path);

// The model and band lists of the --ini file; without --ini, those of the Program.ini the program
// itself reads (the user's copy over the installed file). A named file that cannot be read is an
// error (false), never silently an empty catalog; nothing is created.
bool ReadCatalog(const Invocation& invocation, orx::RadioCatalog& catalog);

// Both of the above: the catalog, and the .sin file named by positional argument index.
bool LoadWithCatalog(const Invocation& invocation, std::size_t index, orx::RadioImage& image,
                     orx::RadioCatalog& catalog);

} // namespace orxtool
