#pragma once

// The channel-data file (".sin"): the 4096 image bytes in offset order, nothing else.

#include "RadioImage.h"

#include <filesystem>
#include <string>

namespace orx {

enum class LoadResult {
    Ok,
    CannotOpen, // missing, unreadable, a folder
    TooShort,   // fewer than 4096 bytes: not a channel-data file
};

// Reads the first 4096 bytes of path into image. On any failure image is left exactly as it was.
// A longer file is accepted; the bytes after 4096 are ignored.
LoadResult LoadChannelData(const std::filesystem::path& path, RadioImage& image);

// Writes the 4096 bytes. The file is written beside the target and then moved over it, so a failed
// save never leaves a half-written file behind. On failure error holds the reason.
bool SaveChannelData(const std::filesystem::path& path, const RadioImage& image, std::string* error = nullptr);

} // namespace orx
