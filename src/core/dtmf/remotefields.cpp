#include "core/dtmf/remotefields.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/decimal.h"
#include "core/image/dtmfdigits.h"
#include "core/image/memorymap.h"

#include <algorithm>

namespace tarsel {

namespace {

constexpr uint8_t kDecodeResponseMask = 0x03;
constexpr uint8_t kKillEnabledBit = 0x80;
constexpr int kKillOffIndex = 1; // "关"
constexpr int64_t kResetLow = 3, kResetHigh = 60;
constexpr const char* kResetShownWhenInvalid = "10";
constexpr int kDecodeLow = 10, kDecodeHigh = 250, kDecodeFallback = 250, kDecodeStep = 10;
// The kill code is written into the first 15 bytes, followed by one "#" as its end mark.
constexpr std::size_t kKillCodeDigits = map::kDtmfKillCodeLength - 1;
constexpr uint8_t kKillCodeEnd = 15;

} // namespace

int DecodeTimeUnits(std::string_view text) {
    const int64_t units = ScaleText(text, 2) % 256;
    return units < kDecodeLow || units > kDecodeHigh ? kDecodeFallback : static_cast<int>(units);
}

std::string DecodeTimeText(int units) {
    // Tenths, a half rounded up: the hundredths are exact, so no binary rounding decides.
    return FormatScaled((units + (units < 0 ? -5 : 5)) / 10, 1);
}

CDtmfRemoteFields LoadDtmfRemote(const CMemoryImage& image) {
    CDtmfRemoteFields fields;
    const uint8_t flags = image[map::kDtmfFlags];
    fields.decodeResponseIndex = flags & kDecodeResponseMask;
    fields.decodeTime = DecodeTimeText(image[map::kDtmfDecodeTime]);
    fields.alarmCode = ReadDtmfString(image.Field<map::kDtmfAlarmCodeLength>(map::kDtmfAlarmCode));
    fields.killEnabledIndex = (flags & kKillEnabledBit) ? 0 : kKillOffIndex;
    fields.groupCallIndex = std::max(SymbolIndexOfCode(image[map::kDtmfGroupCallCode]), 0);
    const uint8_t killType = image[map::kDtmfKillType];
    fields.killTypeIndex = killType < kDtmfKillTypeEntryCount ? killType : 0;
    fields.killCode = ReadDtmfString(image.Stretch(map::kDtmfKillCode, kKillCodeDigits));
    if (fields.killCode.ends_with('#')) fields.killCode.pop_back();
    const uint8_t reset = image[map::kDtmfAutoResetTime];
    fields.autoResetTime =
        reset < kResetLow || reset > kResetHigh ? kResetShownWhenInvalid : std::to_string(reset);
    ValidateDtmfRemote(fields);
    return fields;
}

void ValidateDtmfRemote(CDtmfRemoteFields& fields) {
    fields.autoResetTime = ClampAutoResetTime(fields.autoResetTime);
    fields.decodeTime = NormaliseDecodeTime(fields.decodeTime);
}

void StoreDtmfRemote(CDtmfRemoteFields& fields, CMemoryImage& image) {
    ValidateDtmfRemote(fields);
    uint8_t& flags = image[map::kDtmfFlags];
    flags = static_cast<uint8_t>((flags & ~kDecodeResponseMask) |
                                 (std::max(fields.decodeResponseIndex, 0) & kDecodeResponseMask));
    image[map::kDtmfDecodeTime] = static_cast<uint8_t>(DecodeTimeUnits(fields.decodeTime));
    WriteDtmfString(fields.alarmCode, image.Field<map::kDtmfAlarmCodeLength>(map::kDtmfAlarmCode));
    const std::string group = SymbolText(fields.groupCallIndex);
    if (!group.empty()) image[map::kDtmfGroupCallCode] = DtmfCodeFromChar(group[0]);
    if (fields.killEnabledIndex == kKillOffIndex)
        flags &= static_cast<uint8_t>(~kKillEnabledBit);
    else
        flags |= kKillEnabledBit;
    image[map::kDtmfKillType] = static_cast<uint8_t>(fields.killTypeIndex);
    // The last byte of the field is written only as the end mark of a 15-digit code.
    const std::string_view code = std::string_view(fields.killCode).substr(0, kKillCodeDigits);
    WriteDtmfString(code, image.Stretch(map::kDtmfKillCode, kKillCodeDigits));
    if (!code.empty()) image[map::kDtmfKillCode + code.size()] = kKillCodeEnd;
    image[map::kDtmfAutoResetTime] = static_cast<uint8_t>(EditNumber(fields.autoResetTime));
}

std::string ClampAutoResetTime(std::string_view text) {
    return ClampedNumberText(text, kResetLow, kResetHigh);
}

std::string NormaliseDecodeTime(std::string_view text) {
    return DecodeTimeText(DecodeTimeUnits(text));
}

std::string StepAutoResetTime(std::string_view text, int step) {
    return std::to_string(WrapStep(EditNumber(text) + step, step, kResetLow, kResetHigh));
}

std::string StepDecodeTime(std::string_view text, int step) {
    const int64_t next = DecodeTimeUnits(text) + step * kDecodeStep;
    return DecodeTimeText(static_cast<int>(WrapStep(next, step, kDecodeLow, kDecodeHigh)));
}

namespace {
constexpr const char* kSymbols[] = {"A", "B", "C", "D", "*", "#"};
constexpr const char* kKillEnabled[] = {"开", "关"};
constexpr const char* kKillType[] = {"关", "禁止发射", "禁止收发", "遥毙"};
constexpr const char* kDecodeResponse[] = {"无", "提醒", "回复", "提醒+回复"};
constexpr CFormField kRemoteTable[] = {
    {1104, "组呼码", EFieldKind::List, kSymbols},
    {1106, "遥毙激活", EFieldKind::List, kKillEnabled},
    {1107, "遥毙类型", EFieldKind::List, kKillType},
    // One digit of the field is the end mark.
    {1108, "遥毙码", EFieldKind::Edit, {}, static_cast<int>(kKillCodeDigits), EKeyRule::Dtmf},
    {1110,
     "自动复位时间 (s)",
     EFieldKind::Edit,
     {},
     2,
     EKeyRule::Decimal,
     StepAutoResetTime,
     1111,
     ClampAutoResetTime},
    {1109, "解码响应", EFieldKind::List, kDecodeResponse},
    {1114, "报警码", EFieldKind::Edit, {}, map::kDtmfAlarmCodeLength, EKeyRule::Dtmf},
    {1112,
     "解码时间 (s)",
     EFieldKind::Edit,
     {},
     3,
     EKeyRule::Decimal,
     StepDecodeTime,
     1113,
     NormaliseDecodeTime,
     true},
};
static_assert(std::size(kKillEnabled) == kDtmfKillEnabledEntryCount);
static_assert(std::size(kKillType) == kDtmfKillTypeEntryCount);
static_assert(std::size(kDecodeResponse) == kDtmfDecodeResponseEntryCount);
static_assert(std::size(kSymbols) == kDtmfSymbolEntries.size());
} // namespace

std::span<const CFormField> DtmfRemoteFieldTable() { return kRemoteTable; }

CFieldSlot DtmfRemoteSlot(CDtmfRemoteFields& fields, int controlId) {
    switch (controlId) {
    case 1104:
        return {.list = &fields.groupCallIndex};
    case 1106:
        return {.list = &fields.killEnabledIndex};
    case 1107:
        return {.list = &fields.killTypeIndex};
    case 1108:
        return {.edit = &fields.killCode};
    case 1110:
        return {.edit = &fields.autoResetTime};
    case 1109:
        return {.list = &fields.decodeResponseIndex};
    case 1114:
        return {.edit = &fields.alarmCode};
    case 1112:
        return {.edit = &fields.decodeTime};
    }
    return {};
}

} // namespace tarsel
