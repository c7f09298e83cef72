#include "core/fmradio/fmfields.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarsel {
namespace {

TEST(FmFields, Normalisation) {
    const std::pair<const char*, const char*> cases[] = {
        {"88.5", "88.500"},    {"120", "76.000"},    {"50", "76.000"},      {"", ""},
        {"abc", "76.000"},     {"108", "108.000"},   {"108.001", "76.000"}, {"76", "76.000"},
        {"99.9999", "99.999"}, {"100.1", "100.100"},
    };
    for (const auto& [text, result] : cases) EXPECT_EQ(NormaliseFmFrequency(text), result) << text;
}

TEST(FmFields, BlankImageOpensWithPresetOneAndStoresNoFrequency) {
    CMemoryImage image;
    CFmRadioFields fields = LoadFmRadio(image);
    EXPECT_EQ(fields.presetIndex, 0);
    EXPECT_EQ(fields.currentFrequency, "");
    for (const std::string& preset : fields.presets) EXPECT_EQ(preset, "");
    StoreFmRadio(fields, image);
    CMemoryImage expected;
    expected[map::kFmCurrentPreset] = 1;
    EXPECT_EQ(image, expected);
}

TEST(FmFields, StoreWritesBcdAndErasesFillers) {
    CMemoryImage image;
    image.Fill(map::kFmPresets, map::kFmPresetCount * map::kFmPresetSize, 0x00);
    image[map::kFmCurrentFrequency + 3] = 0x42; // not the dialog's byte
    image[map::kFmCurrentPreset] = 7;
    CFmRadioFields fields = LoadFmRadio(image);
    EXPECT_EQ(fields.presetIndex, 6);
    EXPECT_EQ(fields.presets[0], "") << "0 kHz is outside the band";
    fields.currentFrequency = "88.5";
    fields.presets[0] = "107.9";
    fields.presets[19] = "120"; // still being typed when the dialog closed
    StoreFmRadio(fields, image);
    const auto bytes = [&image](std::size_t offset) {
        return std::vector<uint8_t>{image[offset], image[offset + 1], image[offset + 2],
                                    image[offset + 3]};
    };
    EXPECT_EQ(bytes(map::kFmCurrentFrequency), (std::vector<uint8_t>{0x00, 0x85, 0x08, 0x42}));
    EXPECT_EQ(bytes(map::kFmPresets), (std::vector<uint8_t>{0x00, 0x79, 0x10, 0xFF}));
    EXPECT_EQ(bytes(map::kFmPresets + 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes(map::kFmPresets + 76), (std::vector<uint8_t>{0x00, 0x60, 0x07, 0xFF}));
    EXPECT_EQ(fields.presets[19], "76.000");
    EXPECT_EQ(LoadFmRadio(image), fields);
}

} // namespace
} // namespace tarsel
