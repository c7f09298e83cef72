// The two configured bands (the model's limits), the three fixed hardware ranges, and the two
// raster snaps. All values in 10 Hz units.
#pragma once

#include <array>
#include <cstdint>

namespace tarsel {

class CMemoryImage;

// Program-wide band limits: index 0 is the A band, 1 the B band.
struct CBandLimits {
    std::array<int32_t, 2> low{13600000, 40000000};
    std::array<int32_t, 2> high{17400000, 48000000};
    friend bool operator==(const CBandLimits&, const CBandLimits&) = default;
};

// The first band i with low[i] <= v <= high[i]; -1 when none.
int BandOfValue(const CBandLimits& limits, int64_t value);
// Same band index; two values outside both bands count as the same band too.
bool SameBand(const CBandLimits& limits, int64_t a, int64_t b);
// The first band whose limits are both neither 0 nor -1; -1 when none.
int FirstConfiguredBand(const CBandLimits& limits);

struct CHardwareRange {
    int32_t low;
    int32_t high;
};
inline constexpr std::array<CHardwareRange, 3> kHardwareRanges{
    {{13600000, 17400000}, {20000000, 26000000}, {40000000, 52000000}}};

// The first hardware range containing v; -1 when none.
int HardwareRangeOf(int64_t value);
// Both in the same hardware range and low below high.
bool FitOneHardwareRange(int64_t low, int64_t high);

// Load a pair from the image unless its lower limit's top byte is 0xFF (a blank pair keeps what
// the limits held); store all four.
void LoadBandLimits(const CMemoryImage& image, CBandLimits& limits);
void StoreBandLimits(const CBandLimits& limits, CMemoryImage& image);

// Down to the 5 kHz or the 6.25 kHz raster, whichever is nearer below (a tie goes to 5 kHz).
int64_t SnapToStep(int64_t value);
// Multiples of 2.5 kHz or of 6.25 kHz.
bool IsOnRaster(int64_t value);
// The step snap, applied only off the raster: what the grid and the channel dialog do.
int64_t SnapOffRaster(int64_t value);
// The batch dialog's rounding: to the nearest 2.5 kHz or 6.25 kHz multiple, up or down.
int64_t SnapToChannelRaster(int64_t value);

} // namespace tarsel
