// The memory image: a byte-for-byte copy of the radio's 16384-byte programmable memory.
#pragma once

#include "core/image/memorymap.h"

#include <array>
#include <cstdint>
#include <span>

namespace tarsel {

class CMemoryImage {
public:
    static constexpr std::size_t kSize = map::kImageSize;
    static constexpr uint8_t kErased = 0xFF;

    CMemoryImage() { Fill(kErased); }

    uint8_t& operator[](std::size_t offset) { return bytes_[offset]; }
    uint8_t operator[](std::size_t offset) const { return bytes_[offset]; }

    std::span<uint8_t, kSize> Bytes() { return bytes_; }
    std::span<const uint8_t, kSize> Bytes() const { return bytes_; }

    // A fixed-size field at an offset of the memory map.
    template <std::size_t N> std::span<uint8_t, N> Field(std::size_t offset) {
        return std::span<uint8_t, kSize>(bytes_).subspan(offset).template first<N>();
    }
    template <std::size_t N> std::span<const uint8_t, N> Field(std::size_t offset) const {
        return std::span<const uint8_t, kSize>(bytes_).subspan(offset).template first<N>();
    }
    std::span<uint8_t> Stretch(std::size_t offset, std::size_t length) {
        return std::span<uint8_t>(bytes_).subspan(offset, length);
    }
    std::span<const uint8_t> Stretch(std::size_t offset, std::size_t length) const {
        return std::span<const uint8_t>(bytes_).subspan(offset, length);
    }

    void Fill(uint8_t value) { bytes_.fill(value); }
    void Fill(std::size_t offset, std::size_t length, uint8_t value);

    friend bool operator==(const CMemoryImage&, const CMemoryImage&) = default;

private:
    std::array<uint8_t, kSize> bytes_;
};

} // namespace tarsel
