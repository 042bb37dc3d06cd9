#pragma once

// The radio's whole configuration memory. The program keeps exactly one of these for the whole
// run; the document loads and saves it, the transfer moves it to and from the radio, and every
// editor reads and writes it by offset through the checked accessors below.

#include "MemoryMap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace orx {

class RadioImage {
public:
    using Bytes = std::array<std::uint8_t, map::kImageSize>;

    RadioImage() { erase(); }

    std::uint8_t at(std::size_t offset) const;
    void set(std::size_t offset, std::uint8_t value);

    // Changes only the bits of mask: the other bits of the byte are carried unchanged.
    void setBits(std::size_t offset, std::uint8_t mask, std::uint8_t bits);
    bool bit(std::size_t offset, std::uint8_t mask) const { return (at(offset) & mask) != 0; }

    std::span<const std::uint8_t> bytes(std::size_t offset, std::size_t length) const;
    std::span<std::uint8_t> bytes(std::size_t offset, std::size_t length);
    void fill(std::size_t offset, std::size_t length, std::uint8_t value);

    const Bytes& data() const { return m_bytes; }
    Bytes& data() { return m_bytes; }

    // Every byte 0xFF: nothing programmed.
    void erase() { m_bytes.fill(map::kErased); }
    // Erase, then store the values a new document starts with.
    void resetToNewDocument();

    friend bool operator==(const RadioImage&, const RadioImage&) = default;

private:
    static void checkRange(std::size_t offset, std::size_t length);
    Bytes m_bytes;
};

} // namespace orx
