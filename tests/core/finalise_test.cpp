#include "core/image/finalise.h"

#include "core/image/datafile.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarsel {
namespace {

using test::Bytes;
using test::PutBytes;
using test::PutChannel;

uint32_t Le32(const CMemoryImage& image, std::size_t offset) {
    return image[offset] | image[offset + 1] << 8 | image[offset + 2] << 16 |
           static_cast<uint32_t>(image[offset + 3]) << 24;
}

// A default image with no channel, the option bytes all set and one calibration row.
TEST(Finalise, NoChannelsOptionBitsSlopesAndBandLimits) {
    CMemoryImage image = BuildDefaultImage();
    PutBytes(image, 0x204C, {0xFF, 0xFF, 0xFF, 3, 0});
    PutBytes(image, 0x3F30 + 15, {10, 30, 10}); // row 5 (UHF high power): a, b, c
    FinaliseImage(image, CBandLimits{}, kVariantN);
    EXPECT_EQ(Bytes(image, 0x2E40, 64), std::vector<uint8_t>(64, 0x00));
    EXPECT_EQ(Bytes(image, 0x2E28, 16), std::vector<uint8_t>(16, 0xFF));
    // No current channel; only the cleared option bits change.
    EXPECT_EQ(Bytes(image, 0x204C, 5), (std::vector<uint8_t>{0x9F, 0x3F, 0xCF, 0xFE, 0xFE}));
    EXPECT_EQ(Bytes(image, 0x2E20, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
    // w(2) = 4000000: / 20 = 200000 = 0x030D40, the first rising, the second falling.
    EXPECT_EQ(Bytes(image, 0x3F42 + 30, 6),
              (std::vector<uint8_t>{0x40, 0x0D, 0x03, 0x40, 0x0D, 0x83}));
    EXPECT_EQ(Bytes(image, 0x2E10, 16),
              (std::vector<uint8_t>{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17, 0x00, 0x00,
                                    0x00, 0x40, 0x00, 0x00, 0x00, 0x48}));
}

TEST(Finalise, BitmapsAndFirstPresentMemories) {
    CMemoryImage image = BuildDefaultImage();
    PutChannel(image, 9, 14500000);
    image[RecordOffset(9) + 13] &= static_cast<uint8_t>(~0x08); // scan off
    PutChannel(image, 12, 43500000);                            // A memory in band B: present
    PutChannel(image, 20, 30000000);                            // in no band: absent
    PutChannel(image, 128 + 128, 43500000);                     // B 128
    FinaliseImage(image, CBandLimits{}, kVariantN);
    // A 009 and A 012 present, only A 012 scans, A 020 absent; B 128 present and scanning.
    const std::map<int, int> bits = {{0x2E41, 0x09}, {0x2E51, 0x08}, {0x2E42, 0x00},
                                     {0x2E6F, 0x80}, {0x2E7F, 0x80}, {0x2E20, 9},
                                     {0x2E21, 128}};
    EXPECT_EQ(test::BytesAt(image, bits), bits);
}

TEST(Finalise, CurrentChannelMustNameAPresentMemory) {
    // Memories A 005 and A 010 present: indices 4 and 9.
    // 128 would read B 001's record, which is present here.
    const std::pair<uint8_t, uint8_t> cases[] = {{4, 4}, {9, 9},   {0, 4},   {5, 4},
                                                 {128, 4}, {200, 4}, {0xFF, 4}};
    for (const auto& [current, expected] : cases) {
        CMemoryImage image = BuildDefaultImage();
        PutChannel(image, 5, 14500000);
        PutChannel(image, 10, 14600000);
        PutChannel(image, 129, 14600000);
        image[0x204F] = current;
        FinaliseImage(image, CBandLimits{}, kVariantN);
        EXPECT_EQ(image[0x204F], expected) << int(current);
    }
}

// The variant block's bytes, each weighted by its position, so a changed or moved byte shows.
int WeightedSum(const CMemoryImage& image, std::size_t start, std::size_t length) {
    int sum = 0;
    for (std::size_t i = 0; i < length; ++i) sum += static_cast<int>(i + 1) * image[start + i];
    return sum;
}

TEST(Finalise, VariantBlocksAndFixedBytes) {
    const std::vector<uint8_t> fixed = {0xB0, 0x01, 0x04, 0x0A, 0x08, 0x02, 0x88, 0xAA};
    for (int variant : {-1, 0, 1}) {
        CMemoryImage image = test::RandomImage(11);
        FinaliseImage(image, CBandLimits{}, variant);
        const bool he = variant <= 0;
        EXPECT_EQ(WeightedSum(image, 0x2F01, he ? 110 : 54), he ? 399508 : 107227);
        EXPECT_EQ(image[0x2F00], he ? 0x6E : 0x36);
        const std::size_t restStart = 0x2F01 + (he ? 110 : 54);
        EXPECT_EQ(Bytes(image, restStart, 0x2F70 - restStart),
                  std::vector<uint8_t>(0x2F70 - restStart, 0xFF));
        EXPECT_EQ(Bytes(image, 0x2F70, 8), fixed);
        EXPECT_EQ(Bytes(image, 0x1F70, 8), fixed);
        EXPECT_EQ(Bytes(image, 0x2E00, 16),
                  (std::vector<uint8_t>{'T', 'Z', '-', '3', '1', '6', 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                        0xFF, 0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(Bytes(image, 0x3EB0, 10),
                  (std::vector<uint8_t>{66, 59, 53, 47, 40, 34, 28, 21, 15, 8}));
    }
}

// Each hardware range's low, high, middle and the two quarter points; the UHF range follows the
// bands when both lie inside it, the others keep their fixed values.
TEST(Finalise, CalibrationFrequencies) {
    const uint32_t vhf[5] = {13600000, 17400000, 15500000, 14900000, 16100000};
    const uint32_t mid[5] = {20000000, 26000000, 23000000, 22000000, 24000000};
    const struct {
        CBandLimits limits;
        uint32_t uhf[5];
    } cases[] = {
        {CBandLimits{}, {40000000, 48000000, 44000000, 42700000, 45300000}},
        {CBandLimits{{40000000, 43000000}, {42000000, 52000000}},
         {40000000, 52000000, 46000000, 44000000, 48000000}},
    };
    for (const auto& c : cases) {
        CMemoryImage image = BuildDefaultImage();
        FinaliseImage(image, c.limits, kVariantN);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(Le32(image, 0x3F70 + 4 * k), vhf[k]) << k;
            EXPECT_EQ(Le32(image, 0x3F84 + 4 * k), mid[k]) << k;
            EXPECT_EQ(Le32(image, 0x3F98 + 4 * k), c.uhf[k]) << k;
        }
    }
}

TEST(Finalise, LeavesUnnamedBytesAlone) {
    const CMemoryImage before = test::RandomImage(5);
    CMemoryImage image = before;
    FinaliseImage(image, CBandLimits{}, kVariantN);
    const std::pair<std::size_t, std::size_t> untouched[] = {
        {0x0000, 0x1F70}, {0x1F78, 0x2E00}, {0x2E22, 0x2E28}, {0x2E38, 0x2E40}, {0x2E80, 0x2F00},
        {0x2F78, 0x3EB0}, {0x3EBA, 0x3F42}, {0x3F66, 0x3F70}, {0x3FAC, 0x4000}};
    for (const auto& [start, end] : untouched)
        for (std::size_t i = start; i < end; ++i) {
            if (i == 0x204C || i == 0x204D || i == 0x204E || i == 0x204F || i == 0x2050) continue;
            ASSERT_EQ(image[i], before[i]) << std::hex << i;
        }
}

} // namespace
} // namespace tarsel
