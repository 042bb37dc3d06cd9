#pragma once

// The channel-data file (".sin"): the 4096 image bytes in offset order, nothing else.

#include "RadioImage.h"

#include <filesystem>
#include <string>

namespace orx {

enum class LoadResult {
    Ok,
    CannotOpen, // missing, unreadable
    TooShort,   // fewer than 4096 bytes: not a channel-data file
    NotAFile,   // a folder, FIFO, device or socket: refused before anything is read from it
};

// Reads the first 4096 bytes of path into image. On any failure image is left exactly as it was.
// A longer file is accepted; the bytes after 4096 are ignored.
LoadResult LoadChannelData(const std::filesystem::path& path, RadioImage& image);

// Opens path for reading only when it is a regular file, never waiting for a writer (a FIFO) or a
// device: the descriptor (blocking, close-on-exec), or -1 with result CannotOpen (errno says why)
// or NotAFile.
int OpenRegularFile(const std::filesystem::path& path, LoadResult& result);

// Why a save did not happen. Except for InPlaceFailed, the file named is exactly as it was.
enum class SaveProblem {
    None,
    NotAFile,        // a folder or a socket
    WriteProtected,  // the user may not write the file (its mode or access() says so): it is never
                     // replaced through its folder; the caller may offer another name
    NoTemporaryFile, // the folder takes no new file (read-only, no permission, no room)
    WriteFailed,     // the new bytes could not be written and flushed (a full disk), or the file
                     // cannot be opened for writing where it has to be written in place
    ReplaceFailed,   // the finished new file could not take the old one's place
    InPlaceFailed,   // writing into the file itself failed part-way; the new bytes are in `kept`
    FileSizeLimit,   // the process may not write files this large (ulimit -f, SIGXFSZ)
};

struct SaveResult {
    SaveProblem problem = SaveProblem::None;
    std::string detail;           // the system's reason
    std::filesystem::path target; // the file written, or meant: a symbolic link's target
    std::filesystem::path kept;   // InPlaceFailed: the complete new file beside it
    bool ok() const { return problem == SaveProblem::None; }
};

// Writes the 4096 bytes to the file path names, never half-writing it and never putting another
// kind of file in its place:
// - a symbolic link is followed and its target written; the link stays a link;
// - an existing file keeps its mode, owner and group;
// - the new bytes go to a temporary file in the same folder, are flushed to the disk, and then
//   replace the file; a file with several hard links, or one whose owner cannot be given to the
//   new file, is instead overwritten in place once the complete copy exists, so that every name
//   and the owner stay;
// - a FIFO or device is written directly (a FIFO only while some program reads from it);
// - a regular file the user may not write is left untouched (WriteProtected);
// - a file-size limit below 4096 bytes makes the save fail instead of ending the program;
// - when none of this is possible the file is left untouched and the result says why.
SaveResult SaveChannelDataFile(const std::filesystem::path& path, const RadioImage& image);

// Whether a regular file counts as write-protected, from its mode and whether access(W_OK) allowed
// writing: a file nobody may write (no write bit at all) stays protected for root too, who passes
// every access() test.
bool IsWriteProtected(unsigned mode, bool accessAllowsWrite);

// The name of the temporary file for target within a folder that takes names of up to nameMax
// bytes, before mkstemp fills in the X's: the target's name, cut at a character boundary where
// needed, followed by ".saving-XXXXXX".
std::string TemporaryName(const std::string& targetName, std::size_t nameMax);

// The same, with the reason as one English sentence in error.
bool SaveChannelData(const std::filesystem::path& path, const RadioImage& image,
                     std::string* error = nullptr);

} // namespace orx
