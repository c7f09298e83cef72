#include "core/image/bands.h"

#include "core/image/bcd.h"
#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"

namespace tarsel {

int BandOfValue(const CBandLimits& limits, int64_t value) {
    for (int i = 0; i < 2; ++i)
        if (limits.low[i] <= value && value <= limits.high[i]) return i;
    return -1;
}

bool SameBand(const CBandLimits& limits, int64_t a, int64_t b) {
    return BandOfValue(limits, a) == BandOfValue(limits, b);
}

int FirstConfiguredBand(const CBandLimits& limits) {
    for (int i = 0; i < 2; ++i)
        if (limits.low[i] != 0 && limits.low[i] != -1 && limits.high[i] != 0 &&
            limits.high[i] != -1)
            return i;
    return -1;
}

int HardwareRangeOf(int64_t value) {
    for (std::size_t i = 0; i < kHardwareRanges.size(); ++i)
        if (kHardwareRanges[i].low <= value && value <= kHardwareRanges[i].high)
            return static_cast<int>(i);
    return -1;
}

bool FitOneHardwareRange(int64_t low, int64_t high) {
    const int range = HardwareRangeOf(low);
    return range != -1 && range == HardwareRangeOf(high) && low < high;
}

namespace {

constexpr uint16_t kLowField[2] = {map::kBandALow, map::kBandBLow};
constexpr uint16_t kHighField[2] = {map::kBandAHigh, map::kBandBHigh};
constexpr uint16_t kBlankMarker[2] = {map::kBandALowTopByte, map::kBandBLowTopByte};

} // namespace

void LoadBandLimits(const CMemoryImage& image, CBandLimits& limits) {
    for (int i = 0; i < 2; ++i) {
        if (image[kBlankMarker[i]] == 0xFF) continue;
        // Decoded values stay below 166666666, so they always fit the 32-bit limits.
        limits.low[i] = static_cast<int32_t>(DecodeFrequencyField(image.Field<4>(kLowField[i])));
        limits.high[i] = static_cast<int32_t>(DecodeFrequencyField(image.Field<4>(kHighField[i])));
    }
}

void StoreBandLimits(const CBandLimits& limits, CMemoryImage& image) {
    for (int i = 0; i < 2; ++i) {
        EncodeFrequencyField(limits.low[i], image.Field<4>(kLowField[i]));
        EncodeFrequencyField(limits.high[i], image.Field<4>(kHighField[i]));
    }
}

int64_t SnapToStep(int64_t value) {
    const int64_t r5 = value % 500;
    const int64_t r6 = value % 625;
    return r5 > r6 ? value - r6 : value - r5;
}

bool IsOnRaster(int64_t value) { return value % 250 == 0 || value % 625 == 0; }

int64_t SnapOffRaster(int64_t value) { return IsOnRaster(value) ? value : SnapToStep(value); }

int64_t SnapToChannelRaster(int64_t value) {
    if (IsOnRaster(value)) return value;
    const int64_t d0 = value % 250;
    const int64_t d2 = value % 625;
    // Compared in this order; the first strictly smallest wins.
    const int64_t distances[4] = {d0, 250 - d0, d2, 625 - d2};
    const int64_t moves[4] = {-d0, 250 - d0, -d2, 625 - d2};
    int best = 0;
    for (int i = 1; i < 4; ++i)
        if (distances[i] < distances[best]) best = i;
    return value + moves[best];
}

} // namespace tarsel
