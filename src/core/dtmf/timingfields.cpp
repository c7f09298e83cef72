#include "core/dtmf/timingfields.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/memorymap.h"

#include <iterator>

namespace tarsel {

namespace {

// The radio counts these times in 50 ms units.
constexpr int kMsPerUnit = 50;
constexpr uint8_t kRateBytes[] = {83, 63, 50, 34};
constexpr int kDefaultRateIndex = 2; // "10"
constexpr uint8_t kDefaultRateByte = 50;
constexpr int kDefaultToneTimeIndex = 1; // "100"
constexpr int kDefaultSideToneIndex = 3; // "按键+ID"
constexpr uint8_t kWaitForReplyBit = 0x04;
constexpr int kSideToneShift = 3;
constexpr uint8_t kSideToneMask = 0x18;
constexpr int64_t kDelayLow = 100, kDelayHigh = 1000, kDelayStep = 100, kDelayFallback = 200;
constexpr int64_t kWaitLow = 3, kWaitHigh = 60;

// The first entry whose text begins with the text: the list is searched the way a drop-down
// list is searched when a value is typed into it.
int FirstEntryStartingWith(const std::string& text) {
    for (std::size_t i = 0; i < std::size(kDtmfToneTimeEntries); ++i)
        if (std::string_view(kDtmfToneTimeEntries[i]).starts_with(text)) return static_cast<int>(i);
    return -1;
}

uint8_t ToneTimeByte(int index) {
    if (index < 0 || index >= std::ssize(kDtmfToneTimeEntries)) index = kDefaultToneTimeIndex;
    return static_cast<uint8_t>(EditNumber(kDtmfToneTimeEntries[index]) / kMsPerUnit);
}

} // namespace

CDtmfTimingFields LoadDtmfTiming(const CMemoryImage& image) {
    CDtmfTimingFields fields;
    fields.waitForReplyIndex = (image[map::kDtmfFlags] & kWaitForReplyBit) ? 1 : 0;
    fields.waitTime = std::to_string(image[map::kDtmfWaitTime]);
    fields.rateIndex = kDefaultRateIndex;
    for (std::size_t i = 0; i < std::size(kRateBytes); ++i)
        if (image[map::kDtmfRate] == kRateBytes[i]) fields.rateIndex = static_cast<int>(i);
    fields.firstDigitDelay = std::to_string(image[map::kDtmfFirstDigitDelay] * kMsPerUnit);
    fields.firstDigitTimeIndex =
        FirstEntryStartingWith(std::to_string(image[map::kDtmfFirstDigitTime] * kMsPerUnit));
    fields.starHashTimeIndex =
        FirstEntryStartingWith(std::to_string(image[map::kDtmfStarHashTime] * kMsPerUnit));
    fields.sideToneIndex = (image[map::kSettingsBits49] & kSideToneMask) >> kSideToneShift;
    fields.pttIdStart = ReadDtmfString(image.Field<map::kDtmfPttIdLength>(map::kDtmfPttIdStart));
    fields.pttIdEnd = ReadDtmfString(image.Field<map::kDtmfPttIdLength>(map::kDtmfPttIdEnd));
    ValidateDtmfTiming(fields);
    return fields;
}

void ValidateDtmfTiming(CDtmfTimingFields& fields) {
    fields.firstDigitDelay = NormaliseFirstDigitDelay(fields.firstDigitDelay);
    fields.waitTime = ClampWaitTime(fields.waitTime);
    if (fields.firstDigitTimeIndex < 0) fields.firstDigitTimeIndex = kDefaultToneTimeIndex;
    if (fields.starHashTimeIndex < 0) fields.starHashTimeIndex = kDefaultToneTimeIndex;
    if (fields.sideToneIndex < 0) fields.sideToneIndex = kDefaultSideToneIndex;
}

void StoreDtmfTiming(CDtmfTimingFields& fields, CMemoryImage& image) {
    ValidateDtmfTiming(fields);
    uint8_t& flags = image[map::kDtmfFlags];
    flags = static_cast<uint8_t>((flags & ~kWaitForReplyBit) |
                                 (fields.waitForReplyIndex == 1 ? kWaitForReplyBit : 0));
    image[map::kDtmfWaitTime] = static_cast<uint8_t>(EditNumber(fields.waitTime));
    image[map::kDtmfRate] = fields.rateIndex >= 0 && fields.rateIndex < std::ssize(kRateBytes)
                                ? kRateBytes[fields.rateIndex]
                                : kDefaultRateByte;
    image[map::kDtmfFirstDigitDelay] =
        static_cast<uint8_t>(EditNumber(fields.firstDigitDelay) / kMsPerUnit);
    image[map::kDtmfFirstDigitTime] = ToneTimeByte(fields.firstDigitTimeIndex);
    image[map::kDtmfStarHashTime] = ToneTimeByte(fields.starHashTimeIndex);
    uint8_t& settings = image[map::kSettingsBits49];
    settings = static_cast<uint8_t>((settings & ~kSideToneMask) |
                                    ((fields.sideToneIndex << kSideToneShift) & kSideToneMask));
    WriteDtmfString(fields.pttIdStart, image.Field<map::kDtmfPttIdLength>(map::kDtmfPttIdStart));
    WriteDtmfString(fields.pttIdEnd, image.Field<map::kDtmfPttIdLength>(map::kDtmfPttIdEnd));
}

std::string NormaliseFirstDigitDelay(std::string_view text) {
    const int64_t delay = EditNumber(text) / kDelayStep * kDelayStep;
    return std::to_string(delay < kDelayLow || delay > kDelayHigh ? kDelayFallback : delay);
}

std::string ClampWaitTime(std::string_view text) {
    return ClampedNumberText(text, kWaitLow, kWaitHigh);
}

std::string StepFirstDigitDelay(std::string_view text, int step) {
    const int64_t v = EditNumber(text);
    const int64_t rest = v % kDelayStep;
    const int64_t next = step > 0 ? v + kDelayStep - rest : (rest == 0 ? v - kDelayStep : v - rest);
    return std::to_string(WrapStep(next, step, kDelayLow, kDelayHigh));
}

std::string StepWaitTime(std::string_view text, int step) {
    return std::to_string(WrapStep(EditNumber(text) + step, step, kWaitLow, kWaitHigh));
}

namespace {
constexpr const char* kSideTone[] = {"关", "按键", "ID", "按键+ID"};
constexpr const char* kOffOn[] = {"关", "开"};
constexpr CFormField kTimingTable[] = {
    {1093, "速率 (digit/s)", EFieldKind::List, kDtmfRateEntries},
    {1094,
     "首位数码延迟时间 (ms)",
     EFieldKind::Edit,
     {},
     4,
     EKeyRule::Decimal,
     StepFirstDigitDelay,
     1095,
     NormaliseFirstDigitDelay},
    {1096, "首位数码时间 (ms)", EFieldKind::List, kDtmfToneTimeEntries},
    {1097, "*和#音 (ms)", EFieldKind::List, kDtmfToneTimeEntries},
    {1184, "侧音", EFieldKind::List, kSideTone},
    {1117, "PTT ID 发射开始", EFieldKind::Edit, {}, map::kDtmfPttIdLength, EKeyRule::Dtmf},
    {1118, "PTT ID 发射结束", EFieldKind::Edit, {}, map::kDtmfPttIdLength, EKeyRule::Dtmf},
    {1120, "等待回复", EFieldKind::List, kOffOn},
    {1121,
     "等待回复时间 (s)",
     EFieldKind::Edit,
     {},
     2,
     EKeyRule::Printable,
     StepWaitTime,
     1098,
     ClampWaitTime},
};
static_assert(std::size(kSideTone) == kDtmfSideToneEntryCount);
static_assert(std::size(kOffOn) == kDtmfWaitForReplyEntryCount);
} // namespace

std::span<const CFormField> DtmfTimingFieldTable() { return kTimingTable; }

CFieldSlot DtmfTimingSlot(CDtmfTimingFields& fields, int controlId) {
    switch (controlId) {
    case 1093:
        return {.list = &fields.rateIndex};
    case 1094:
        return {.edit = &fields.firstDigitDelay};
    case 1096:
        return {.list = &fields.firstDigitTimeIndex};
    case 1097:
        return {.list = &fields.starHashTimeIndex};
    case 1184:
        return {.list = &fields.sideToneIndex};
    case 1117:
        return {.edit = &fields.pttIdStart};
    case 1118:
        return {.edit = &fields.pttIdEnd};
    case 1120:
        return {.list = &fields.waitForReplyIndex};
    case 1121:
        return {.edit = &fields.waitTime};
    }
    return {};
}

} // namespace tarsel
