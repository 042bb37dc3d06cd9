#pragma once

// The whole image as a JSON document that a person can read, review in a diff and edit, and that
// reads back into exactly the bytes it came from. Keys and values are English, units are in the key
// names (rx_mhz, hz, tx_time_limit_s); every byte of the image is in the document: the fields the
// program shows, the bits of each channel that it does not show ("hidden"), and the bytes no field
// covers ("other_bytes").
//
// Reading starts from an erased image (every byte 0xFF), puts in the other bytes, then each field
// writes its own bits, so a field changed by hand changes only its own bytes. A null value writes
// nothing: the bytes stay erased, or hold what other_bytes gives for them.
//
// Qt Core only (its JSON parser); the rest of image/ stays plain C++.

#include "RadioImage.h"

#include <string>
#include <vector>
#include <string_view>

namespace orx::json {

inline constexpr std::string_view kFormatName = "orxprog-image";
inline constexpr int kFormatVersion = 1;

// The document of an image as the program saves it (pass what LoadAndSave gives: the fields are
// read the way the window shows them). Empty when the image holds something the document cannot
// say byte for byte, which the tests rule out for every saved image.
std::string ExportImage(const RadioImage& saved);

// Where a document is wrong: the JSON path of the value ("channels[4].power", "settings.squelch",
// or "" for the document as a whole) and why.
// The reason is also given as its English pattern with %1, %2 ... and the words that fill them
// (numbers, key names and values of the document), so that it can be said in another language.
struct ImportError {
    std::string path;
    std::string reason;
    std::string pattern;
    std::vector<std::string> args;
};

// Reads a document into image. False, with error filled and image untouched, when the text is not
// such a document or a value is out of its range.
bool ImportImage(std::string_view document, RadioImage& image, ImportError& error);

} // namespace orx::json
