// The 32-byte channel record.
#pragma once

#include "core/image/memoryimage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// Image offset of record n (1..258).
constexpr std::size_t RecordOffset(int channel) {
    return static_cast<std::size_t>(channel - 1) * map::kChannelRecordSize;
}

// What a cleared channel holds: empty frequencies and tones, scan on, high power, wide, shift
// offset 10 MHz, reserved bytes as the radio expects them.
void WriteDefaultRecord(CMemoryImage& image, int channel);

// Byte 3 (the top receive-frequency byte) 0xFF or 0x00.
bool IsEmptyRecord(const CMemoryImage& image, int channel);

int64_t ReceiveFrequency(const CMemoryImage& image, int channel);

// The characters a channel name may hold: printable single-byte ASCII.
constexpr bool IsNameChar(char c) { return c >= 0x20 && c < 0x7F; }

// The record's name: its bytes up to the first one that is not a name character.
std::string ChannelName(const CMemoryImage& image, int channel);
// Up to the first 7 characters of name, the rest of the name bytes 0xFF.
void WriteChannelName(CMemoryImage& image, int channel, std::string_view name);

} // namespace tarsel
