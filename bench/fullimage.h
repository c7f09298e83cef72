// The image the benchmarks work on: every channel in use, with tones and shifts, the most work a
// fill and a parse can have.
#pragma once

#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/datafile.h"

namespace tarsel::bench {

inline CMemoryImage FullImage() {
    CMemoryImage image = BuildDefaultImage();
    for (int channel = 1; channel <= map::kChannelCount; ++channel) {
        const std::size_t base = RecordOffset(channel);
        const int64_t rx = (channel % 2 ? 14400000 : 43000000) + channel * 1250;
        EncodeFrequencyField(rx, image.Field<4>(base));
        EncodeFrequencyField(rx + 60000, image.Field<4>(base + 4));
        image[base + 8] = 0x85, image[base + 9] = 0x08;
        image[base + 10] = 0x23, image[base + 11] = 0x80;
    }
    return image;
}

} // namespace tarsel::bench
