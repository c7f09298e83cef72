#include "core/image/modelform.h"

#include "core/image/scan.h"

#include <array>

namespace tarsel {

namespace {

constexpr int64_t kUnitsPerMHz = 100000;
constexpr int64_t kFallbackLow = 13600000;
constexpr int64_t kFallbackHigh = 17400000;

// A field as a signed whole number of MHz in 10 Hz units; empty or unreadable reads as 0.
int64_t ReadLimit(const std::string& text) { return ScanInt(text).value_or(0) * kUnitsPerMHz; }

std::string ShowLimit(int64_t units) { return std::to_string(units / kUnitsPerMHz); }

} // namespace

CModelFields LoadModelFields(const CBandLimits& limits, const std::string& modelText) {
    return {modelText, ShowLimit(limits.low[0]), ShowLimit(limits.high[0]),
            ShowLimit(limits.low[1]), ShowLimit(limits.high[1])};
}

void NormaliseBandPair(std::string& lowerText, std::string& upperText, bool lowerEdited) {
    int64_t l = ReadLimit(lowerText), u = ReadLimit(upperText);
    const int edited = HardwareRangeOf(lowerEdited ? l : u);
    if (edited >= 0) {
        const int64_t low = kHardwareRanges[static_cast<std::size_t>(edited)].low;
        const int64_t high = kHardwareRanges[static_cast<std::size_t>(edited)].high;
        if (lowerEdited) {
            if (u <= low || u > high) u = high;
            if (l >= u) l = low;
        } else {
            if (l < low || l >= high) l = low;
            if (l >= u) u = high;
        }
    } else {
        const int other = HardwareRangeOf(lowerEdited ? u : l);
        if (other > 0) {
            const int64_t low = kHardwareRanges[static_cast<std::size_t>(other)].low;
            const int64_t high = kHardwareRanges[static_cast<std::size_t>(other)].high;
            if (lowerEdited) {
                l = low;
                if (u == low) u = high;
            } else {
                u = high;
                if (l == high) l = low;
            }
        } else {
            // The first hardware range counts as no range here.
            l = kFallbackLow;
            u = kFallbackHigh;
        }
    }
    lowerText = ShowLimit(l);
    upperText = ShowLimit(u);
}

void StoreModelFields(CModelFields& fields, CBandLimits& limits, CMemoryImage& image) {
    NormaliseBandPair(fields.aLow, fields.aHigh, true);
    NormaliseBandPair(fields.bLow, fields.bHigh, true);
    const std::array<const std::string*, 4> texts = {&fields.aLow, &fields.aHigh, &fields.bLow,
                                                     &fields.bHigh};
    int32_t* targets[4] = {&limits.low[0], &limits.high[0], &limits.low[1], &limits.high[1]};
    for (std::size_t i = 0; i < 4; ++i) *targets[i] = static_cast<int32_t>(ReadLimit(*texts[i]));
    StoreBandLimits(limits, image);
}

namespace {
constexpr int kLimitDigits = 3;
constexpr CFormField kModelTable[] = {
    {1037, "机型", EFieldKind::Edit},
    {1038, "A段", EFieldKind::Edit, {}, kLimitDigits, EKeyRule::Decimal},
    {1039, "A段 ---", EFieldKind::Edit, {}, kLimitDigits, EKeyRule::Decimal},
    {1040, "B段", EFieldKind::Edit, {}, kLimitDigits, EKeyRule::Decimal},
    {1041, "B段 ---", EFieldKind::Edit, {}, kLimitDigits, EKeyRule::Decimal},
};
} // namespace

std::span<const CFormField> ModelFieldTable() { return kModelTable; }

CFieldSlot ModelSlot(CModelFields& fields, int controlId) {
    switch (controlId) {
    case 1037:
        return {.edit = &fields.model};
    case 1038:
        return {.edit = &fields.aLow};
    case 1039:
        return {.edit = &fields.aHigh};
    case 1040:
        return {.edit = &fields.bLow};
    case 1041:
        return {.edit = &fields.bHigh};
    }
    return {};
}

} // namespace tarsel
