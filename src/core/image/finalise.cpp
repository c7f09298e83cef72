#include "core/image/finalise.h"

#include "core/image/bcd.h"
#include "core/image/channelrecord.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tarsel {

namespace {

constexpr std::array<uint8_t, 110> kVariantTableHE = {
    0xC0, 0x01, 0x00, 0x00, 0x04, 0x00, 0x86, 0xAD, 0x40, 0x00, 0x56, 0xC6, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x19,
    0x2A, 0x11, 0x00, 0x2E, 0x2A, 0x30, 0xB8, 0x3C, 0x90, 0x00, 0x2A, 0x91, 0x84, 0x12, 0x00, 0xA8,
    0xC4, 0x00, 0xE0, 0x00, 0x30, 0x1D, 0x81, 0x6A, 0x46, 0x08, 0x00, 0x86, 0x06, 0x61, 0x00, 0x00,
    0x10, 0x9E, 0x24, 0xC9, 0x04, 0x08, 0x06, 0x08, 0xE1, 0x05, 0x3B, 0x6C, 0x2B, 0xEC, 0x09, 0x0F,
    0x34, 0x14, 0x14, 0x50, 0x09, 0x6D, 0x2D, 0x96, 0x01, 0xDA, 0x2A, 0x7B, 0x08, 0x21, 0x13, 0xD5,
    0x48, 0x91, 0x00, 0xBC, 0x08, 0x96, 0x15, 0x3C, 0x0B, 0x80, 0x25, 0xC7, 0x00, 0x00};

constexpr std::array<uint8_t, 54> kVariantTableN = {
    0xC4, 0x05, 0x00, 0x00, 0x04, 0x00, 0xA6, 0xAD, 0x60, 0x00, 0x42, 0xC6, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x19, 0x2A, 0x11, 0xB0, 0x42, 0x2A, 0x11, 0xB8, 0x31, 0xC0, 0x00,
    0x2A, 0x91, 0x94, 0x00, 0x00, 0xA8, 0xC4, 0x00, 0xF7, 0xCF, 0x2A, 0xDC};

constexpr std::array<uint8_t, map::kFixedBlockLength> kFixedBlock = {0xB0, 0x01, 0x04, 0x0A,
                                                                     0x08, 0x02, 0x88, 0xAA};

// 1.3 - 0.125 i, times 51, truncated.
constexpr std::array<uint8_t, map::kLevelTableLength> kLevelTable = {66, 59, 53, 47, 40,
                                                                     34, 28, 21, 15, 8};

// When no configured band lies in a hardware range its calibration group spans these instead.
constexpr CHardwareRange kCalibrationFallback[3] = {
    {13600000, 17400000}, {20000000, 26000000}, {40000000, 48000000}};

constexpr std::array<uint8_t, 8> kModelName = {'T', 'Z', '-', '3', '1', '6', 0x00, 0x00};

template <std::size_t N>
void Put(CMemoryImage& image, std::size_t offset, const std::array<uint8_t, N>& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.Stretch(offset, N).begin());
}

void PutLe32(CMemoryImage& image, std::size_t offset, int64_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; ++k) image[offset + k] = static_cast<uint8_t>(v >> (8 * k));
}

// To the nearest 1 MHz.
constexpr int64_t RoundToMHz(int64_t x) { return ((x + 50000) / 100000) * 100000; }

void WriteVariantBlock(CMemoryImage& image, int variantEntry) {
    image.Fill(map::kVariantBlock, map::kVariantBlockLength, 0xFF);
    if (variantEntry <= kVariantHE) {
        image[map::kVariantBlock] = static_cast<uint8_t>(kVariantTableHE.size());
        Put(image, map::kVariantBlock + 1, kVariantTableHE);
    } else {
        image[map::kVariantBlock] = static_cast<uint8_t>(kVariantTableN.size());
        Put(image, map::kVariantBlock + 1, kVariantTableN);
    }
    Put(image, map::kFixedBlock, kFixedBlock);
}

// Writes the three calibration groups; returns w(r), the half span of each, for the slopes.
std::array<int64_t, 3> WriteCalibrationFrequencies(CMemoryImage& image, const CBandLimits& limits) {
    std::array<int64_t, 3> halfSpan{};
    for (std::size_t r = 0; r < kHardwareRanges.size(); ++r) {
        int64_t low = 0, high = 0;
        bool any = false;
        for (int i = 0; i < 2; ++i) {
            if (limits.low[i] < kHardwareRanges[r].low || limits.high[i] > kHardwareRanges[r].high)
                continue;
            low = any ? std::min<int64_t>(low, limits.low[i]) : limits.low[i];
            high = any ? std::max<int64_t>(high, limits.high[i]) : limits.high[i];
            any = true;
        }
        if (!any) {
            low = kCalibrationFallback[r].low;
            high = kCalibrationFallback[r].high;
        }
        const int64_t third = (high - low) / 3;
        const std::size_t group = map::kCalibrationFrequencies + map::kCalibrationGroupSize * r;
        PutLe32(image, group + 0, low);
        PutLe32(image, group + 4, high);
        PutLe32(image, group + 8, RoundToMHz((low + high) / 2));
        PutLe32(image, group + 12, RoundToMHz(low + third));
        PutLe32(image, group + 16, RoundToMHz(high - third));
        halfSpan[r] = RoundToMHz((high - low) / 2);
    }
    return halfSpan;
}

// Frequency span per calibration step between two neighbouring points, with its sign in bit 23.
void WriteSlope(CMemoryImage& image, std::size_t offset, int64_t span, int from, int to) {
    const int64_t slope = from == to ? 0 : span / std::abs(from - to);
    for (int k = 0; k < 3; ++k) image[offset + k] = static_cast<uint8_t>(slope >> (8 * k));
    if (from > to) image[offset + 2] |= 0x80;
}

void WriteCalibrationSlopes(CMemoryImage& image, const std::array<int64_t, 3>& halfSpan) {
    for (int k = 0; k < 6; ++k) {
        const std::size_t row = map::kPowerCalibrationRows + 3 * k;
        const int a = image[row], b = image[row + 1], c = image[row + 2];
        const int64_t w = halfSpan[k / 2];
        const std::size_t pair = map::kCalibrationSlopes + 6 * k;
        WriteSlope(image, pair, w, a, b);
        WriteSlope(image, pair + 3, w, b, c);
    }
}

// Presence and scan bitmaps of one band's memories; returns the first present memory or 0.
int WriteBitmaps(CMemoryImage& image, const CBandLimits& limits, int firstChannel,
                 uint16_t presence, uint16_t scan) {
    int firstPresent = 0;
    for (int i = 1; i <= map::kMemoriesPerBand; ++i) {
        const int channel = firstChannel + i - 1;
        const std::size_t byte = static_cast<std::size_t>(i - 1) / 8;
        const auto bit = static_cast<uint8_t>(1u << ((i - 1) % 8));
        if (!IsPresentMemory(image, limits, channel)) {
            image[presence + byte] &= static_cast<uint8_t>(~bit);
            image[scan + byte] &= static_cast<uint8_t>(~bit);
            continue;
        }
        if (firstPresent == 0) firstPresent = i;
        if (!(image[RecordOffset(channel) + map::rec::kFlags] & map::rec::kFlagScanAdd))
            image[scan + byte] &= static_cast<uint8_t>(~bit);
    }
    return firstPresent;
}

// The current channel byte must name a present memory of its band. An index of 128 or more names
// no memory of the band at all, so it counts as absent too.
void FixCurrentChannel(CMemoryImage& image, const CBandLimits& limits, uint16_t offset,
                       int firstChannel, int firstPresent) {
    const int index = image[offset];
    const bool present =
        index < map::kMemoriesPerBand && IsPresentMemory(image, limits, firstChannel + index);
    // With no present memory the first-present byte is 0xFF, so this becomes 0xFE.
    const int firstByte = firstPresent ? firstPresent : 0xFF;
    if (!present) image[offset] = static_cast<uint8_t>(firstByte - 1);
}

} // namespace

bool IsPresentMemory(const CMemoryImage& image, const CBandLimits& limits, int channel) {
    return BandOfValue(limits, ReceiveFrequency(image, channel)) != -1;
}

void WriteLevelTable(CMemoryImage& image) { Put(image, map::kLevelTable, kLevelTable); }

void WriteCalibrationTables(CMemoryImage& image, const CBandLimits& limits) {
    WriteCalibrationSlopes(image, WriteCalibrationFrequencies(image, limits));
}

void FinaliseImage(CMemoryImage& image, const CBandLimits& limits, int variantEntry) {
    WriteVariantBlock(image, variantEntry);

    WriteLevelTable(image);
    WriteCalibrationTables(image, limits);

    image.Fill(map::kModelName, map::kModelNameLength, 0xFF);
    Put(image, map::kModelName, kModelName);
    StoreBandLimits(limits, image);
    Put(image, map::kFixedBlockInChannels, kFixedBlock);

    // Option bits the radio must get as 0.
    image[map::kSettingsBits4D] &= 0x3F; // bits 6, 7
    image[map::kSettingsBits4E] &= 0xCF; // bits 4, 5
    image[map::kSettingsBits4C] &= 0x9F; // bits 5, 6

    image.Fill(map::kPresenceA, 4 * map::kBitmapLength, 0xFF);
    const int firstA = WriteBitmaps(image, limits, 1, map::kPresenceA, map::kScanA);
    const int firstB =
        WriteBitmaps(image, limits, map::kFirstBMemory, map::kPresenceB, map::kScanB);
    image[map::kFirstPresentA] = firstA ? static_cast<uint8_t>(firstA) : 0xFF;
    image[map::kFirstPresentB] = firstB ? static_cast<uint8_t>(firstB) : 0xFF;
    image.Fill(map::kDerivedBlank, map::kDerivedBlankLength, 0xFF);

    FixCurrentChannel(image, limits, map::kCurrentAChannel, 1, firstA);
    FixCurrentChannel(image, limits, map::kCurrentBChannel, map::kFirstBMemory, firstB);
}

} // namespace tarsel
