#include "RadioImage.h"

#include <cstdio>
#include <cstdlib>

namespace orx {

namespace {

struct NewDocumentByte {
    std::size_t offset;
    std::uint8_t value;
};

// A new document erases everything, then stores these.
constexpr NewDocumentByte kNewDocumentBytes[] = {
    {map::kBandIndex, 0x00},  // first entry of the band list
    {map::kModelIndex, 0x00}, // first entry of the model list
    {map::kRadioData80A, 0xEE}, {map::kRadioData80B, 0x38},    {map::kDisplayMode, 0x80}, // channel mode
    {map::kScanAndTail, 0xA8}, // time-operated scan, 240-degree tail elimination
    {map::kSwitches, 0xD4},    // manual setting, beep and battery save on
    {map::kSquelch, 0x05},      {map::kTimeLimit, 0x00},       {map::kVoxLevel, 0x00},
    {map::kRadioData816, 0x03}, {map::kRadioData817, 0x04},    {map::kRadioData818, 0x00},
    {map::kEndTone, 0x00},      {map::kPriorityChannel, 0x01}, {map::kSideKey1, 0x14}, // monitor / talkaround
    {map::kSideKey2, 0x58}, // reverse frequency / FM radio
    {map::kRadioData839, 0x01}, {map::kRadioData83A, 0x14},
};

} // namespace

void RadioImage::checkRange(std::size_t offset, std::size_t length)
{
    if (offset > map::kImageSize || length > map::kImageSize - offset) {
        std::fprintf(stderr, "RadioImage: offset 0x%zX length %zu lies outside the image\n", offset, length);
        std::abort();
    }
}

std::uint8_t RadioImage::at(std::size_t offset) const
{
    checkRange(offset, 1);
    return m_bytes[offset];
}

void RadioImage::set(std::size_t offset, std::uint8_t value)
{
    checkRange(offset, 1);
    m_bytes[offset] = value;
}

void RadioImage::setBits(std::size_t offset, std::uint8_t mask, std::uint8_t bits)
{
    set(offset, static_cast<std::uint8_t>((at(offset) & ~mask) | (bits & mask)));
}

std::span<const std::uint8_t> RadioImage::bytes(std::size_t offset, std::size_t length) const
{
    checkRange(offset, length);
    return {m_bytes.data() + offset, length};
}

std::span<std::uint8_t> RadioImage::bytes(std::size_t offset, std::size_t length)
{
    checkRange(offset, length);
    return {m_bytes.data() + offset, length};
}

void RadioImage::fill(std::size_t offset, std::size_t length, std::uint8_t value)
{
    for (auto& b : bytes(offset, length))
        b = value;
}

void RadioImage::resetToNewDocument()
{
    erase();
    for (const auto& nb : kNewDocumentBytes)
        set(nb.offset, nb.value);
}

} // namespace orx
