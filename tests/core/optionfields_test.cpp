// The optional features: the settings table read and written, the fallbacks, the rules.
#include "core/editors/optionfields.h"
#include "core/image/datafile.h"
#include "core/image/memorymap.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <map>

namespace tarsel {
namespace {

std::string Shown(const COptionsForm& form, int controlId) {
    const int selection = form.Selection(controlId);
    if (selection < 0) return "<none>";
    return OptionFields()[static_cast<std::size_t>(OptionFieldIndex(controlId))]
        .entries[static_cast<std::size_t>(selection)];
}

TEST(OptionFields, DefaultImageShowsAndStoresAsTheRadioExpectsAndProfessionalModeForcesMr) {
    CMemoryImage image = BuildDefaultImage();
    const COptionsForm form = LoadOptions(image);
    const std::map<int, std::string> expected = {
        {1171, "30"},   {1178, "4"},        {1173, "5"},  {1177, "12.5"}, {1166, "6"},
        {1174, "4"},    {1195, "当前活动"}, {1157, "开"}, {1158, "按键"}, {1167, "3"},
        {1156, "频率"}, {1164, "频率"},     {1161, "开"}, {1188, "开"},   {1165, "Key"},
        {1190, "电压"}, {1160, "关"}};
    for (const auto& [id, text] : expected) EXPECT_EQ(Shown(form, id), text) << id;

    COptionsForm stored = form;
    stored.greeting = "AB";
    StoreOptions(stored, image);
    EXPECT_EQ(image[map::kSettingsTimeOut], 0x01);
    EXPECT_EQ((image[map::kSettingsBits4D] >> 2) & 3, 1);
    EXPECT_EQ(image[map::kSettingsBits4C] & 0x0A, 0x0A); // bits the table does not hold
    EXPECT_EQ(test::Bytes(image, map::kGreeting, 7),
              (std::vector<uint8_t>{0x41, 0x42, 0x20, 0x20, 0x20, 0x20, 0x20}));
    CMemoryImage again = image;
    COptionsForm reloaded = LoadOptions(again);
    EXPECT_EQ(reloaded.greeting, "AB");
    StoreOptions(reloaded, again);
    EXPECT_EQ(again, image) << "a second round changes nothing more";

    image[map::kSettingsBits4A] |= 0x02; // professional mode on
    image[map::kSettingsBits4B] |= 0x01; // VFO
    COptionsForm professional = LoadOptions(image);
    EXPECT_EQ(Shown(professional, kVfoMrId), "MR");
    EXPECT_FALSE(professional.vfoMrEnabled);
    StoreOptions(professional, image);
    EXPECT_EQ(image[map::kSettingsBits4B] & 0x01, 0);
    professional.Selection(kProfessionalModeId) = 0;
    ApplyProfessionalModeRule(professional);
    EXPECT_TRUE(professional.vfoMrEnabled);
    professional.Selection(kVfoMrId) = 1;
    ApplyProfessionalModeRule(professional);
    EXPECT_EQ(Shown(professional, kVfoMrId), "VFO") << "kept while professional mode is off";
}

// A byte of the image, what its list shows, and the byte after a close, masked to the field's bits.
TEST(OptionFields, OutOfRangeValuesComeBackInRange) {
    using namespace map;
    const std::tuple<uint16_t, uint8_t, int, const char*, uint8_t, uint8_t> cases[] = {
        {kSettingsTimeOut, 30, 1171, "30", 1, 0xFF}, {kSettingsTimeOut, 9, 1171, "270", 9, 0xFF},
        {kSettings42, 12, 1178, "4", 4, 0xFF}, {kSettings42, 0, 1178, "0", 0, 0xFF},
        {kSettings43, 9, 1173, "4", 3, 0xFF}, {kSettings44, 8, 1177, "12.5", 4, 0xFF},
        {kSettings46, 0, 1166, "1", 0, 0xFF}, {kSettings46, 9, 1166, "10", 9, 0xFF},
        {kSettings46, 0xFF, 1166, "5", 4, 0xFF}, {kSettings48, 4, 1174, "3", 2, 0xFF},
        {kSettingsBits49, 0x60, 1170, "时间", 0x00, 0x60},
        {kSettingsBits4A, 0x30, 1158, "按键", 0x10, 0x30},
        {kSettingsBits4A, 0xC0, 1167, "1", 0x00, 0xC0},
        {kSettingsBits4B, 0x78, 1156, "频率", 0x08, 0x18},
        {kSettingsBits4B, 0x78, 1164, "频率", 0x20, 0x60},
        {kSettingsBits4D, 0x0C, 1190, "电压", 0x04, 0x0C},
        {kSettingsBits4D, 0x20, 1160, "开", 0x10, 0x30},
        {kSettingsBits4D, 0x30, 1160, "开", 0x10, 0x30},
        {kSettingsBits4E, 0x30, 1172, "240", 0x30, 0x30},
        {kDualStandbyResetTime, 11, 1194, "关", 0, 0xFF},
        {kDualStandbyResetTime, 10, 1194, "10", 10, 0xFF},
    };
    for (const auto& [offset, byte, controlId, shown, storedBack, mask] : cases) {
        CMemoryImage image = BuildDefaultImage();
        image[offset] = byte;
        COptionsForm form = LoadOptions(image);
        EXPECT_EQ(Shown(form, controlId), shown) << controlId << " " << int(byte);
        StoreOptions(form, image);
        EXPECT_EQ(image[offset] & mask, storedBack) << controlId << " " << int(byte);
    }
}

TEST(OptionFields, GreetingAndDualWatchTime) {
    // The radio also keeps digits and the DTMF signs as key codes; trailing spaces are padding.
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {{0x01, 0x02, 0xFF, 0x41, 0x41, 0x41, 0x41}, "12"},
        {{0x0E, 0x0F, 0x41, 0x20, 0x20, 0x42, 0x0A}, "*#A  B"},
        {{0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, ""},
        {{0x48, 0x45, 0x4C, 0x4C, 0x4F, 0x21, 0x7E}, "HELLO!~"},
    };
    for (const auto& [bytes, shown] : cases) {
        CMemoryImage image = BuildDefaultImage();
        for (std::size_t i = 0; i < bytes.size(); ++i) image[map::kGreeting + i] = bytes[i];
        EXPECT_EQ(LoadOptions(image).greeting, shown);
    }
    for (int stored = 1; stored <= 255; ++stored) { // every value survives an open and a close
        CMemoryImage image = BuildDefaultImage();
        image[map::kDualWatchTime] = static_cast<uint8_t>(stored);
        COptionsForm form = LoadOptions(image);
        StoreOptions(form, image);
        ASSERT_EQ(image[map::kDualWatchTime], stored);
    }
    CMemoryImage image = BuildDefaultImage();
    image[map::kDualWatchTime] = 0;
    EXPECT_EQ(LoadOptions(image).dualWatchTime, "1.50");
    const std::pair<const char*, const char*> checks[] = {
        {"", "1.50"},     {"0", "1.50"},    {"2.56", "1.50"}, {"1.2", "1.20"},
        {"0.01", "0.01"}, {"2.55", "2.55"}, {"abc", "1.50"},  {"1.239", "1.23"}};
    for (const auto& [text, shown] : checks) EXPECT_EQ(CheckDualWatchTime(text), shown) << text;
    const std::tuple<const char*, int, const char*> steps[] = {
        {"2.55", 1, "0.01"}, {"0.01", -1, "2.55"}, {"1.50", 1, "1.51"}, {"", -1, "2.55"}};
    for (const auto& [text, step, shown] : steps) EXPECT_EQ(StepDualWatchTime(text, step), shown);
}

// Every list at its last entry over a cleared image, then at its first over a filled one: the
// bytes pin where each field lies and how wide it is. The other bits keep their values.
TEST(OptionFields, EveryFieldHasItsOwnBitsAndTheOthersKeepTheirValues) {
    using V = std::vector<uint8_t>;
    const std::pair<V, V> expected[] = {
        {{9, 0, 9, 8, 7, 0, 9, 0, 3, 0xC7, 0xAE, 0x57, 0x91, 0x1B, 0xF1}, {10}},
        {{0, 0xFF, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0x18, 0x01, 0x80, 0x6E, 0xC0, 0x0E}, {0}}};
    for (const bool last : {true, false}) {
        CMemoryImage image;
        image.Fill(last ? 0x00 : 0xFF);
        COptionsForm form;
        for (std::size_t i = 0; i < form.selections.size(); ++i)
            form.selections[i] = last ? static_cast<int>(OptionFields()[i].entries.size()) - 1 : 0;
        StoreOptions(form, image);
        const auto& [settings, reset] = expected[last ? 0 : 1];
        EXPECT_EQ(test::Bytes(image, map::kSettings, 15), settings);
        EXPECT_EQ(test::Bytes(image, map::kDualStandbyResetTime, 1), reset);
    }
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const CMemoryImage before = test::RandomImage(seed);
        CMemoryImage image = before;
        COptionsForm form = LoadOptions(image);
        StoreOptions(form, image);
        std::map<std::size_t, uint8_t> owned; // bits each byte gives to the table
        for (const COptionField& field : OptionFields())
            owned[field.offset] |= static_cast<uint8_t>(((1 << field.width) - 1) << field.shift);
        for (int i = 0; i < map::kGreetingLength; ++i) owned[map::kGreeting + i] = 0xFF;
        owned[map::kDualWatchTime] = 0xFF;
        for (std::size_t offset = 0; offset < CMemoryImage::kSize; ++offset) {
            const uint8_t keep = static_cast<uint8_t>(~owned[offset]);
            ASSERT_EQ(image[offset] & keep, before[offset] & keep) << offset;
        }
    }
}

} // namespace
} // namespace tarsel
