// Packed BCD as the radio stores numbers: two decimal digits a byte, tens in the high nibble.
#pragma once

#include <cstdint>
#include <span>

namespace tarsel {

// value 0..99 -> byte. Computed in int and cut to 8 bits, so an out-of-range value gives the same
// byte the radio's own arithmetic would, instead of being rejected.
constexpr uint8_t ToBcd(int64_t value) {
    return static_cast<uint8_t>((value / 10) * 16 + value % 10);
}

// No validation: 0xFF decodes as 165, so an erased four-byte field decodes as 166666665.
constexpr int FromBcd(uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

// Four-byte frequency field (also shift offsets and band limits): 8 digits, unit 10 Hz, least
// significant digit pair first.
constexpr void EncodeFrequencyField(int64_t value, std::span<uint8_t, 4> bytes) {
    for (int k = 0; k < 4; ++k) {
        bytes[k] = ToBcd(value % 100);
        value /= 100;
    }
}

constexpr int64_t DecodeFrequencyField(std::span<const uint8_t, 4> bytes) {
    int64_t value = 0;
    for (int k = 3; k >= 0; --k) value = value * 100 + FromBcd(bytes[k]);
    return value;
}

} // namespace tarsel
