#include "core/fmradio/fmfields.h"

#include "core/image/bcd.h"
#include "core/image/decimal.h"

#include <algorithm>

namespace tarsel {

namespace {

constexpr int kKhzDecimals = 3; // MHz text <-> kHz

std::string ShownFrequency(std::span<const uint8_t, map::kFmFrequencyLength> bytes) {
    const int64_t khz = DecodeFmFrequency(bytes);
    return khz >= kFmLowKhz && khz <= kFmHighKhz ? FmFrequencyText(khz) : std::string();
}

std::size_t PresetOffset(std::size_t index) {
    return map::kFmPresets + index * static_cast<std::size_t>(map::kFmPresetSize);
}

} // namespace

int64_t DecodeFmFrequency(std::span<const uint8_t, map::kFmFrequencyLength> bytes) {
    int64_t khz = 0;
    for (std::size_t k = bytes.size(); k-- > 0;) khz = khz * 100 + FromBcd(bytes[k]);
    return khz;
}

void EncodeFmFrequency(int64_t khz, std::span<uint8_t, map::kFmFrequencyLength> bytes) {
    for (uint8_t& byte : bytes) {
        byte = ToBcd(khz % 100);
        khz /= 100;
    }
}

std::string FmFrequencyText(int64_t khz) { return FormatScaled(khz, kKhzDecimals); }

int64_t ReadFmFrequencyText(std::string_view text) { return ScaleText(text, kKhzDecimals); }

std::string NormaliseFmFrequency(std::string_view text) {
    if (text.empty()) return {};
    const int64_t khz = ReadFmFrequencyText(text);
    return FmFrequencyText(khz < kFmLowKhz || khz > kFmHighKhz ? kFmLowKhz : khz);
}

CFmRadioFields LoadFmRadio(const CMemoryImage& image) {
    CFmRadioFields fields;
    const int preset = image[map::kFmCurrentPreset];
    fields.presetIndex = preset >= 1 && preset <= map::kFmPresetCount ? preset - 1 : 0;
    fields.currentFrequency =
        ShownFrequency(image.Field<map::kFmFrequencyLength>(map::kFmCurrentFrequency));
    for (std::size_t i = 0; i < fields.presets.size(); ++i)
        fields.presets[i] = ShownFrequency(image.Field<map::kFmFrequencyLength>(PresetOffset(i)));
    return fields;
}

void StoreFmRadio(CFmRadioFields& fields, CMemoryImage& image) {
    if (fields.presetIndex < 0 || fields.presetIndex >= map::kFmPresetCount) fields.presetIndex = 0;
    image[map::kFmCurrentPreset] = static_cast<uint8_t>(fields.presetIndex + 1);
    // A field still being typed in when the dialog closes is taken as if it had been left.
    auto store = [&image](std::string& text, std::size_t offset) {
        text = NormaliseFmFrequency(text);
        const auto bytes = image.Field<map::kFmFrequencyLength>(offset);
        std::fill(bytes.begin(), bytes.end(), CMemoryImage::kErased);
        if (!text.empty()) EncodeFmFrequency(ReadFmFrequencyText(text), bytes);
    };
    store(fields.currentFrequency, map::kFmCurrentFrequency);
    image.Fill(map::kFmPresets, map::kFmPresetCount * map::kFmPresetSize, CMemoryImage::kErased);
    for (std::size_t i = 0; i < fields.presets.size(); ++i)
        store(fields.presets[i], PresetOffset(i));
}

namespace {
constexpr const char* kPresetNumbers[] = {"1",  "2",  "3",  "4",  "5",  "6",  "7",
                                          "8",  "9",  "10", "11", "12", "13", "14",
                                          "15", "16", "17", "18", "19", "20"};
static_assert(std::size(kPresetNumbers) == map::kFmPresetCount);
constexpr int kFrequencyLength = 7; // "108.000"
constexpr CFormField kFmTable[] = {
    {1026, "当前信道", EFieldKind::List, kPresetNumbers},
    // Typing in the current frequency is free; leaving it corrects it. Only the presets' cell
    // editor refuses what is no part of a frequency.
    {1025,
     "当前频率",
     EFieldKind::Edit,
     {},
     kFrequencyLength,
     EKeyRule::Printable,
     nullptr,
     0,
     NormaliseFmFrequency},
    {1302,
     "频率",
     EFieldKind::Column,
     {},
     kFrequencyLength,
     EKeyRule::Frequency,
     nullptr,
     0,
     NormaliseFmFrequency,
     false,
     map::kFmPresetCount,
     "信道",
     1},
};
} // namespace

std::span<const CFormField> FmRadioFieldTable() { return kFmTable; }

CFieldSlot FmRadioSlot(CFmRadioFields& fields, int controlId) {
    switch (controlId) {
    case 1026:
        return {.list = &fields.presetIndex};
    case 1025:
        return {.edit = &fields.currentFrequency};
    case 1302:
        return {.column = fields.presets};
    }
    return {};
}

} // namespace tarsel
