#pragma once

// What the subcommands share: reading the input files with clear messages, and the catalog of
// the Program.ini named with --ini.

#include "Band.h"
#include "Commands.h"
#include "RadioImage.h"

#include <string>

namespace orxtool {

// "orxtool: <message>" on stderr.
void PrintError(const std::string& message);

// Loads a .sin file; on failure prints why and returns false, leaving image untouched.
bool LoadInput(const std::string& path, orx::RadioImage& image);

// The model and band lists of the --ini file, or empty lists without --ini. A named file that
// cannot be read is an error (false), never silently an empty catalog; nothing is created.
bool ReadCatalog(const Invocation& invocation, orx::RadioCatalog& catalog);

// Both of the above: the catalog of --ini, and the .sin file named by positional argument index.
bool LoadWithCatalog(const Invocation& invocation, std::size_t index, orx::RadioImage& image,
                     orx::RadioCatalog& catalog);

} // namespace orxtool
