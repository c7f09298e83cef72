// The optional features window ("可选功能") without its window: the radio-wide settings of the
// settings block, one descriptor row per list, the greeting and the dual watch time.
#pragma once

#include "core/image/formfield.h"
#include "core/image/memoryimage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

// What a list shows when its stored value names no entry.
struct COptionFallback {
    int index = -1;             // this entry, or
    const char* text = nullptr; // the first entry whose text begins with this
};

// How a list's entry becomes the stored value.
enum class EOptionValue {
    Index,        // the entry's index, in the bits [shift, shift + width)
    Text,         // the entry's text read as a number (a whole byte)
    TextMinusOne, // the same, minus 1
};

struct COptionField {
    uint16_t offset;
    uint8_t shift, width;
    int controlId;
    const char* caption;
    std::span<const char* const> entries;
    COptionFallback fallback;
    EOptionValue value;
    bool hidden; // the control exists but is never shown; its value still travels
};

inline constexpr int kOptionFieldCount = 32;

// One row per list, in the order the lists are filled.
const std::array<COptionField, kOptionFieldCount>& OptionFields();
int OptionFieldIndex(int controlId); // -1 when the id is no list of the table

inline constexpr int kProfessionalModeId = 1185;
inline constexpr int kVfoMrId = 1180;
inline constexpr int kGreetingId = 1191;
inline constexpr int kDualWatchTimeId = 1192;
inline constexpr int kDualWatchSpinId = 1193;
inline constexpr int kGreetingLimit = 7;
inline constexpr int kDualWatchTimeLimit = 4;

// Every control of the window: a list per row of OptionFields(), in that order, then the two edits,
// 1191 the greeting and the dual watch time 1192 with its up/down buttons 1193, kept but never
// shown.
std::span<const CFormField> OptionFormFields();

struct COptionsForm {
    std::array<int, kOptionFieldCount> selections; // -1 = no selection
    std::string greeting;                          // printable single-byte characters
    std::string dualWatchTime;                     // "1.50"
    bool vfoMrEnabled = true;

    COptionsForm() { selections.fill(-1); }
    int& Selection(int controlId) {
        return selections[static_cast<std::size_t>(OptionFieldIndex(controlId))];
    }
    int Selection(int controlId) const {
        return selections[static_cast<std::size_t>(OptionFieldIndex(controlId))];
    }
};

// The member of the form behind a control of OptionFormFields(); empty for the spin buttons.
CFieldSlot OptionsSlot(COptionsForm& form, int controlId);

// Image -> form, with the fallbacks, the dual watch time check and the professional mode rule.
COptionsForm LoadOptions(const CMemoryImage& image);

// Fallbacks and the dual watch time check (the form shows the corrected values), then form ->
// image. Only the bits of the table change; every other bit of the shared bytes stays.
void StoreOptions(COptionsForm& form, CMemoryImage& image);

// Every list without a selection gets its fallback entry.
void ApplyOptionFallbacks(COptionsForm& form);

// Professional mode on: "VFO/MR" shows "MR" and cannot be changed; off: it can again.
void ApplyProfessionalModeRule(COptionsForm& form);

// Leaving the dual watch time: empty or outside 0.01..2.55 gives 1.50; shown with two decimals.
std::string CheckDualWatchTime(std::string_view text);
// One spin click in hundredths, wrapping past either end of 1..255.
std::string StepDualWatchTime(std::string_view text, int step);

} // namespace tarsel
