#include "core/service/password.h"
#include "core/service/radioinfo.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(RadioInfoTest, FirmwareVersionText) {
    struct Case {
        std::vector<uint8_t> bytes; // from offset 8
        const char* text;
        bool named;
    } cases[] = {
        {{1, 2, 3, 0xFF, 4}, "v1.2.3", true},
        {{0xFF, 1}, "v", false},
        {{0, 0, 0, 0, 0, 0, 0}, "v0.0.0.0.0.0.0", true},
        {{10, 254, 255}, "v10.254", true},
        {{7, 7, 7, 7, 7, 7, 7}, "v7.7.7.7.7.7.7", true}, // byte 15 is not version
    };
    for (const Case& c : cases) {
        CIdentBlock block{};
        block.fill(0x09);
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + 8);
        const std::string text = FirmwareVersionText(block);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(NamesAVersion(text), c.named) << text;
    }
}

TEST(RadioInfoTest, PcVersionLookUp) {
    struct Case {
        std::vector<std::string> keys, values;
        const char* firmware;
        const char* shown;
    } cases[] = {
        {{"v1", "v1.2.3"}, {"V1.5", "V2.0"}, "v1.2.3", "V2.0"},
        {{"v1"}, {"V1.5"}, "v1.2.3", "V1.5"},
        {{"v1.2"}, {"V1.2"}, "v1.2.3", ""},
        {{"V1.2.3"}, {"x"}, "v1.2.3", ""}, // exact text
        {{"v1", "v1"}, {"first", "second"}, "v1.0", "first"},
        {{}, {}, "v1.2.3", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(LookUpPcVersion(c.firmware, c.keys, c.values), c.shown);
}

TEST(RadioInfoTest, BandLimitsInWholeMegahertz) {
    CIdentBlock block{};
    const uint8_t limits[16] = {0x00, 0x00, 0x60, 0x13, 0x00, 0x25, 0x41, 0x17,
                                0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF0};
    std::copy(std::begin(limits), std::end(limits), block.begin() + 16);
    const std::array<int32_t, 4> mhz{136, 174, 0, static_cast<int32_t>(0xF0000000u) / 100000};
    EXPECT_EQ(BandLimitsMhz(block), mhz); // the last one negative
}

TEST(ServicePasswordTest, ComparedExactly) {
    EXPECT_TRUE(IsServicePassword("mr274q"));
    for (const char* wrong : {"MR274Q", "mr274", "mr274q ", "", " mr274q"})
        EXPECT_FALSE(IsServicePassword(wrong)) << wrong;
}

} // namespace
} // namespace tarsel
