// The FM broadcast radio dialog ("收音机配置") without its window: the current preset number, the
// current frequency and the 20 presets, as texts in MHz with three decimals.
#pragma once

#include "core/image/formfield.h"
#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

inline constexpr int64_t kFmLowKhz = 76000;
inline constexpr int64_t kFmHighKhz = 108000;

// Six BCD digits in kHz, least significant pair first; 0xFF 0xFF 0xFF is no frequency.
int64_t DecodeFmFrequency(std::span<const uint8_t, map::kFmFrequencyLength> bytes);
void EncodeFmFrequency(int64_t khz, std::span<uint8_t, map::kFmFrequencyLength> bytes);

// 88500 -> "88.500", and back to whole kHz (truncated).
std::string FmFrequencyText(int64_t khz);
int64_t ReadFmFrequencyText(std::string_view text);

// On leaving a frequency field: empty stays empty, anything outside 76..108 MHz (a text that is
// no number included) becomes 76.000, the rest is shown with three decimals.
std::string NormaliseFmFrequency(std::string_view text);

// The dialog's controls: 1026 preset number, 1025 current frequency, 1302 the presets.
std::span<const CFormField> FmRadioFieldTable();

// Where the form keeps what the control with this id shows (an empty slot for none).
struct CFmRadioFields;
CFieldSlot FmRadioSlot(CFmRadioFields& fields, int controlId);

struct CFmRadioFields {   // exactly what the dialog's controls show
    int presetIndex = -1; // list "1" .. "20"; -1 = no selection
    std::string currentFrequency;
    std::array<std::string, map::kFmPresetCount> presets;
    friend bool operator==(const CFmRadioFields&, const CFmRadioFields&) = default;
};

// Frequencies outside the broadcast band show as empty fields; a preset number outside 1..20
// selects "1".
CFmRadioFields LoadFmRadio(const CMemoryImage& image);
// The fields are normalised first (so they show what was stored); empty fields are stored as
// 0xFF, and the byte after every preset always becomes 0xFF.
void StoreFmRadio(CFmRadioFields& fields, CMemoryImage& image);

} // namespace tarsel
