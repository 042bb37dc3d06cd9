// orxtool diff: what one .sin file has that another has not, in the terms of the program's screens,
// then the bytes no screen shows. What a dealer runs to compare a customer's radio with the shop's
// file.

#include "Commands.h"
#include "ToolSupport.h"

#include "ImageDiff.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace orxtool {

namespace {

std::string shown(const std::string& text)
{
    return text.empty() ? "(空)" : text;
}

std::string areaPrefix(const orx::FieldDifference& d)
{
    switch (d.area) {
    case orx::DiffArea::Channel:
        return "信道 " + std::to_string(d.number) + " " + d.label;
    case orx::DiffArea::Setting:
        return "设置 " + d.label;
    case orx::DiffArea::Dtmf:
        return "DTMF " + d.label;
    case orx::DiffArea::SideKey:
        return d.label;
    case orx::DiffArea::FmPreset:
        return d.label + " " + std::to_string(d.number);
    case orx::DiffArea::SerialNumber:
        return d.label;
    }
    return d.label;
}

// One line a differing byte; bytes that changed from and to the same values (a bit the program
// normalises in every channel, say) share lines of eight offsets, so the list stays readable.
std::string byteLines(const std::vector<orx::ByteDifference>& bytes)
{
    constexpr std::size_t kShareFrom = 4;
    constexpr std::size_t kOffsetsPerLine = 8;
    std::map<std::pair<int, int>, std::vector<std::size_t>> byChange;
    for (const auto& d : bytes)
        byChange[{d.before, d.after}].push_back(d.offset);
    std::string out;
    char buf[64];
    for (const auto& d : bytes) {
        const auto& group = byChange[{d.before, d.after}];
        if (group.size() < kShareFrom) {
            std::snprintf(buf, sizeof buf, "字节 0x%03zX: %02X -> %02X\n", d.offset, d.before, d.after);
            out += buf;
        } else if (group.front() == d.offset) {
            for (std::size_t i = 0; i < group.size(); i += kOffsetsPerLine) {
                out += "字节";
                for (std::size_t k = i; k < std::min(group.size(), i + kOffsetsPerLine); ++k) {
                    std::snprintf(buf, sizeof buf, " 0x%03zX", group[k]);
                    out += buf;
                }
                std::snprintf(buf, sizeof buf, ": %02X -> %02X\n", d.before, d.after);
                out += buf;
            }
        }
    }
    return out;
}

} // namespace

int RunDiff(const Invocation& invocation)
{
    orx::RadioCatalog catalog;
    if (!ReadCatalog(invocation, catalog))
        return ExitBadInput;
    orx::RadioImage a;
    orx::RadioImage b;
    if (!LoadInput(invocation.arguments.at(0), a) || !LoadInput(invocation.arguments.at(1), b))
        return ExitBadInput;

    const orx::ImageComparison cmp = orx::CompareImages(a, b, catalog);
    std::string out;
    for (const orx::FieldDifference& d : cmp.fields)
        out += areaPrefix(d) + ": " + shown(d.before) + " -> " + shown(d.after) + "\n";
    out += byteLines(cmp.otherBytes);
    std::fputs(out.c_str(), stdout);
    return cmp.identical ? ExitOk : ExitDifferent;
}

} // namespace orxtool
