// orxtool diff: what one .sin file has that another has not, in the terms of the program's screens,
// then the bytes no screen shows. What a dealer runs to compare a customer's radio with the shop's
// file.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "ImageDiff.h"
#include "Texts.h"
#include "Tr.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace orxtool {

namespace {

// A value in the language chosen: a channel's cells as dump shows them, list entries and words
// through the catalogue, names, numbers and frequencies as they are.
std::string shown(const orx::FieldDifference& d, const std::string& text)
{
    if (text.empty())
        return Tr(res::kDiffEmpty);
    if (d.area == orx::DiffArea::Channel) {
        const auto& headers = orx::kChannelHeaders;
        const auto at = std::find(headers.begin(), headers.end(), d.label);
        if (at != headers.end())
            return ShownCell(static_cast<orx::ChannelColumn>(at - headers.begin()), text);
    }
    if (d.area == orx::DiffArea::SerialNumber || d.area == orx::DiffArea::FmPreset)
        return text;
    return Tr(std::string_view(text));
}

std::string areaPrefix(const orx::FieldDifference& d)
{
    const QString label = res::Tr(std::string_view(d.label));
    switch (d.area) {
    case orx::DiffArea::Channel:
        return res::Tr(res::kDiffChannel).arg(d.number).arg(label).toStdString();
    case orx::DiffArea::Setting:
        return res::Tr(res::kDiffSetting).arg(label).toStdString();
    case orx::DiffArea::Dtmf:
        return "DTMF " + label.toStdString();
    case orx::DiffArea::SideKey:
    case orx::DiffArea::SerialNumber:
        return label.toStdString();
    case orx::DiffArea::FmPreset:
        return label.toStdString() + " " + std::to_string(d.number);
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
            std::snprintf(buf, sizeof buf, " 0x%03zX: %02X -> %02X\n", d.offset, d.before, d.after);
            out += Tr(res::kDiffByte) + buf;
        } else if (group.front() == d.offset) {
            for (std::size_t i = 0; i < group.size(); i += kOffsetsPerLine) {
                out += Tr(res::kDiffByte);
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
        out += areaPrefix(d) + ": " + shown(d, d.before) + " -> " + shown(d, d.after) + "\n";
    out += byteLines(cmp.otherBytes);
    std::fputs(out.c_str(), stdout);
    return cmp.identical ? ExitOk : ExitDifferent;
}

} // namespace orxtool
