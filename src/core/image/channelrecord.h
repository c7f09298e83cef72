// The 32-byte channel record.
#pragma once

#include "core/image/memoryimage.h"

#include <cstdint>

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

} // namespace tarsel
