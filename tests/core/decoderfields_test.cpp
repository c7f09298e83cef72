// The DTMF decoder window's rules: hexadecimal values, normalisation, spin wrap, headers.
#include "core/service/decoderfields.h"

#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(DecoderFields, NormaliseReadsHexClampsAndShowsLowerCase) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {{"", "0"},        {"zz", "0"},       {"1A2B", "1a2b"}, {"0010", "10"},
                 {"ffff", "ffff"}, {"10000", "ffff"}, {"12g4", "12"},   {"-5", "0"}};
    for (const auto& c : cases) EXPECT_EQ(NormaliseDecoderValue(c.text), c.shown) << c.text;
}

TEST(DecoderFields, SpinStepsWrapPastEitherEnd) {
    const struct {
        const char* text;
        int step;
        const char* shown;
    } cases[] = {{"0", -1, "ffff"}, {"ffff", 1, "0"}, {"9", 1, "a"},
                 {"", 1, "1"},      {"10", -16, "0"}, {"fff0", 32, "0"}};
    for (const auto& c : cases) EXPECT_EQ(StepDecoderValue(c.text, c.step), c.shown) << c.text;
}

TEST(DecoderFields, StoreWritesHeadersAndBigEndianValuesLoadReadsThemBack) {
    CMemoryImage image = test::RandomImage(7);
    const CMemoryImage before = image;
    CDecoderFields fields;
    fields.fill("");
    fields[0] = "1A2B";
    fields[10] = "7";
    StoreDecoderFields(fields, image);
    EXPECT_EQ(fields[0], "1a2b");
    EXPECT_EQ(fields[1], "0");
    EXPECT_EQ(test::Bytes(image, 0x3E00, 10),
              (std::vector<uint8_t>{0x01, 0xC4, 0x1A, 0x2B, 0x00, 0xD5, 0x00, 0x00, 0x03, 0xAB}));
    EXPECT_EQ(test::Bytes(image, 0x3E28, 4), (std::vector<uint8_t>{0x01, 0xC3, 0x00, 0x07}));
    EXPECT_EQ(image[0x3E18 + 1], 0xB4); // the seventh row is the seventh entry
    // Every header the radio expects, each weighted by its entry, so a changed one shows.
    int headers = 0;
    for (int k = 0; k < kDecoderEntryCount; ++k)
        headers += (k + 1) * (image[0x3E00 + 4 * k] << 8 | image[0x3E01 + 4 * k]);
    EXPECT_EQ(headers, 32347);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        if (i < 0x3E00 || i >= 0x3E2C) {
            ASSERT_EQ(image[i], before[i]) << i;
        }

    EXPECT_EQ(LoadDecoderFields(image), fields);
    test::PutBytes(image, 0x3E16, {0xFF, 0xFF});
    EXPECT_EQ(LoadDecoderFields(image)[5], "ffff");
}

} // namespace
} // namespace tarsel
