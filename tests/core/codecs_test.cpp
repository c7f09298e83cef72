#include "commalocale.h"
#include "core/image/bands.h"
#include "core/image/bcd.h"
#include "core/image/decimal.h"
#include "core/image/dtmfdigits.h"
#include "core/image/frequency.h"
#include "core/image/labels.h"
#include "core/image/tone.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <random>

namespace tarsel {
namespace {

TEST(Bcd, FrequencyFieldAndTextBothWays) {
    const std::pair<int64_t, std::array<uint8_t, 4>> cases[] = {
        {14512500, {0x00, 0x25, 0x51, 0x14}}, {43912500, {0x00, 0x25, 0x91, 0x43}},
        {1000000, {0x00, 0x00, 0x00, 0x01}},  {0, {0x00, 0x00, 0x00, 0x00}}};
    for (const auto& [value, expected] : cases) {
        std::array<uint8_t, 4> bytes{};
        EncodeFrequencyField(value, bytes);
        EXPECT_EQ(bytes, expected) << value;
        EXPECT_EQ(DecodeFrequencyField(expected), value);
    }
    // No validation: erased bytes decode as 165 a pair.
    EXPECT_EQ(DecodeFrequencyField(std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}), 166666665);
    EXPECT_EQ(FromBcd(0xFA), 160);
    EXPECT_EQ(FrequencyText(166666665), "1666.66665");
    EXPECT_EQ(FrequencyText(1), "0.00001");
    EXPECT_EQ(FrequencyText(0), "0.00000");
    EXPECT_EQ(ParseFrequencyText(""), 0);
}

TEST(Decimal, ScalingIsExactWhereBinaryArithmeticIsNot) {
    const struct {
        const char* text;
        int power;
        int64_t expected;
    } cases[] = {
        {"145.125", 5, 14512500}, {"88.5", 1, 885},       {"0.1", 1, 1},
        {"146.52", 5, 14652000},  {"439.995", 5, 43999500}, {"1.1", 5, 110000},
        {"145.0101", 5, 14501010}, {"4.35", 2, 435},      {"-2.5", 1, -25},
        {"", 5, 0},               {"abc", 5, 0},          {"  12.5xyz", 1, 125},
        {"1e2", 1, 1000},         {"1e", 1, 10},          {".5", 1, 5},
        {"5.", 1, 50},            {"0x10", 1, 0},         {"inf", 1, 0},
        // Rounded to 15 significant digits before scaling, as the decimal type does.
        {"145.12499999999999", 5, 14512500},
        {"1e400", 5, INT64_MAX}, {"-1e400", 5, -INT64_MAX}, {"1e-400", 5, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleToInteger(ReadDouble(c.text), c.power), c.expected) << c.text;
        EXPECT_EQ(ScaleText(c.text, c.power), c.expected) << c.text;
    }
}

TEST(Decimal, TheShortcutForPlainDecimalsAgreesWithTheWayThroughADouble) {
    std::mt19937 random(1);
    const std::string alphabet = "0123456789.-+ e";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 22);
        for (int k = 0; k < length; ++k)
            text += (random() % 4) ? alphabet[random() % 10] : alphabet[random() % alphabet.size()];
        for (int power : {0, 1, 5})
            ASSERT_EQ(ScaleText(text, power), ScaleToInteger(ReadDouble(text), power))
                << "'" << text << "' power " << power;
    }
}

TEST(Decimal, ReadingIgnoresTheProcessLocale) {
    const test::CCommaLocale comma;
    ASSERT_TRUE(comma.Ok());
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_NUMERIC, test::CCommaLocale::kName), nullptr);
    EXPECT_EQ(ParseFrequencyText("145.125"), 14512500);
    EXPECT_EQ(FrequencyText(14512500), "145.12500");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Tone, WordsAndTexts) {
    const struct {
        uint8_t low, high;
        const char* text;
    } toText[] = {
        {0x85, 0x08, "88.5"}, {0x00, 0x10, "100.0"}, {0x23, 0x80, "D023N"},  {0x54, 0xC7, "D754I"},
        {0x12, 0xFF, "无"},   {0x00, 0xFF, "无"},    {0x05, 0x80, "D05N"},   {0x05, 0x81, "D105N"},
        {0x00, 0x00, "0.0"},  {0xFF, 0x7F, "866.5"}, {0x23, 0xFE, "D6223I"},
    };
    for (const auto& c : toText) EXPECT_EQ(ToneText({c.low, c.high}), c.text);
    const struct {
        const char* text;
        uint8_t low, high;
    } toWord[] = {
        {"88.5", 0x85, 0x08}, {"254.1", 0x41, 0x25}, {"D023N", 0x23, 0x80}, {"D754I", 0x54, 0xC7},
        {"无", 0xFF, 0xFF},   {"", 0xFF, 0xFF},      {"D125N", 0x25, 0x81}, {"D023", 0x23, 0xC0},
    };
    for (const auto& c : toWord) EXPECT_EQ(EncodeTone(c.text), (CToneWord{c.low, c.high}));
}

TEST(Tone, EveryListEntryRoundTrips) {
    const auto& list = ToneList();
    ASSERT_EQ(list.size(), 265u);
    const std::pair<std::size_t, const char*> pins[] = {
        {0, "无"}, {1, "67.0"}, {50, "254.1"}, {51, "D017N"}, {157, "D754N"}, {158, "D017I"},
        {264, "D754I"}};
    for (const auto& [i, text] : pins) EXPECT_EQ(list[i], text) << i;
    for (const auto& text : list) EXPECT_EQ(ToneText(EncodeTone(text)), text);
    // The standard tone and code tables, pinned whole: one wrong entry changes the sums.
    int tenths = 0, codes = 0;
    for (std::size_t i = 1; i <= 50; ++i) tenths += static_cast<int>(ScaleText(list[i], 1));
    for (std::size_t i = 51; i <= 157; ++i) codes += std::stoi(list[i].substr(1, 3));
    EXPECT_EQ(tenths, 75284);
    EXPECT_EQ(codes, 35136);
}

TEST(Tone, Normalisation) {
    const std::pair<const char*, const char*> cases[] = {
        {"d23i", "D023I"},  {"23", "D023N"},     {"88.5", "88.5"},     {"300.0", "无"},
        {"D0", "无"},       {"D778", "无"},      {"D777", "D777N"},    {"D018", "D018N"},
        {"300", "D300N"},   {"", ""},            {"n23", "D023N"},     {"DI23", "D023I"},
        {"ID754", "D754I"}, {"23I", "D023I"},    {"60.0", "60.0"},     {"59.9", "无"},
        {"280.0", "280.0"}, {"280.1", "无"},     {"88.5hz", "88.5HZ"}, {"D-5", "无"},
        {"D 23", "D023N"},  {" D23", "无"},      {"x", "无"},          {"D+7", "D007N"},
        {"无", "无"},       {"d99999999999", "无"},
    };
    for (const auto& [typed, shown] : cases) EXPECT_EQ(NormaliseToneText(typed), shown) << typed;
}

TEST(Labels, BothWays) {
    const struct {
        int channel;
        const char *label, *gridLabel;
        int band;
    } cases[] = {
        {1, "A001", "A 001", 0},     {128, "A128", "A 128", 0},   {129, "B001", "B 001", 1},
        {256, "B128", "B 128", 1},   {257, "A VFO", "A VFO", 0}, {258, "B VFO", "B VFO", 1},
        {0, "", "", -1},             {259, "", "", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChannelLabel(c.channel), c.label);
        EXPECT_EQ(GridLabel(c.channel), c.gridLabel);
        EXPECT_EQ(BandOfChannel(c.channel), c.band) << c.channel;
        if (IsChannel(c.channel)) {
            EXPECT_EQ(ChannelFromLabel(c.label), c.channel);
            EXPECT_EQ(ChannelFromLabel(c.gridLabel), c.channel);
        }
    }
    const std::pair<const char*, int> reads[] = {
        {"B5", 133},   {"b5", 133}, {"a12", 12}, {"b vfo", 258}, {"A vfo", 257}, {"129", 129},
        {"A200", 200}, {"x", 0},    {"", 0},     {" A1", 0},     {"VFO", 0},     {"A-3", -3},
    };
    for (const auto& [text, channel] : reads) EXPECT_EQ(ChannelFromLabel(text), channel) << text;
}

TEST(DtmfDigits, BothWays) {
    const std::string digits = "0123456789ABCD*#";
    for (uint8_t code = 0; code < 16; ++code) {
        EXPECT_EQ(DtmfCharFromCode(code), digits[code]);
        EXPECT_EQ(DtmfCodeFromChar(digits[code]), code);
    }
    const std::pair<char, int> others[] = {{'a', 10}, {'E', 14}, {'f', 15}, {'G', 255}};
    for (const auto& [c, code] : others) EXPECT_EQ(DtmfCodeFromChar(c), code) << c;
    EXPECT_EQ(DtmfCharFromCode(16), std::nullopt);
}

TEST(Bands, LookUps) {
    const CBandLimits limits; // 136-174, 400-480
    const std::pair<int64_t, int> bands[] = {
        {13600000, 0}, {17400000, 0}, {17400001, -1}, {43500000, 1}, {166666665, -1}};
    for (const auto& [value, band] : bands) EXPECT_EQ(BandOfValue(limits, value), band) << value;
    EXPECT_TRUE(SameBand(limits, 100, 50000000));
    EXPECT_FALSE(SameBand(limits, 14500000, 43500000));
    EXPECT_EQ(FirstConfiguredBand(limits), 0);
    CBandLimits partly{{0, 40000000}, {17400000, 48000000}};
    EXPECT_EQ(FirstConfiguredBand(partly), 1);
    CBandLimits none{{0, -1}, {0, 5}};
    EXPECT_EQ(FirstConfiguredBand(none), -1);
    const std::pair<int64_t, int> ranges[] = {{20000000, 1}, {52000000, 2}, {30000000, -1}};
    for (const auto& [value, range] : ranges) EXPECT_EQ(HardwareRangeOf(value), range) << value;
    EXPECT_TRUE(FitOneHardwareRange(40000000, 52000000));
    EXPECT_FALSE(FitOneHardwareRange(52000000, 40000000));
    EXPECT_FALSE(FitOneHardwareRange(17000000, 40000000));
}

// The grid's snap (down), applied off the raster only, and the batch dialog's nearest raster: a
// tie goes to 5 kHz, 2.5 kHz multiples pass.
TEST(Bands, Snaps) {
    const std::array<int64_t, 3> cases[] = {
        {14512600, 14512500, 14512500}, {14500700, 14500625, 14500750},
        {14500250, 14500250, 14500250}, {14500625, 14500625, 14500625},
        {14501010, 14501000, 14501000}, {1200, 1000, 1250},
        {1210, 1000, 1250},             {14500240, 14500000, 14500250},
    };
    for (const auto& [value, step, channel] : cases) {
        EXPECT_EQ(SnapOffRaster(value), step) << value;
        EXPECT_EQ(SnapToChannelRaster(value), channel) << value;
    }
}

} // namespace
} // namespace tarsel
