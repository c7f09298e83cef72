#include "core/editors/optionfields.h"

#include "core/image/decimal.h"
#include "core/image/memorymap.h"
#include "core/image/scan.h"

#include <cctype>
#include <string>

namespace tarsel {

namespace {

using namespace map;

constexpr const char* kOffOn[] = {"关", "开"};
constexpr const char* kAB[] = {"A", "B"};
constexpr const char* kTimeLimit[] = {"关",  "30",  "60",  "90",  "120",
                                      "150", "180", "210", "240", "270"};
constexpr const char* kZeroToNine[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr const char* kOneToNine[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr const char* kOneToTen[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr const char* kOneToFour[] = {"1", "2", "3", "4"};
constexpr const char* kOneToThree[] = {"1", "2", "3"};
constexpr const char* kStep[] = {"2.5", "5", "6.25", "10", "12.5", "25", "50", "100"};
constexpr const char* kTransmitChannel[] = {"当前编辑", "当前活动"};
constexpr const char* kScanMode[] = {"时间", "载波", "搜索"};
constexpr const char* kBacklightMode[] = {"关", "按键", "连续"};
constexpr const char* kVfoMr[] = {"MR", "VFO"};
constexpr const char* kChannelDisplay[] = {"信道", "频率", "名字"};
constexpr const char* kOnOff[] = {"开", "关"};
constexpr const char* kKeyLockMode[] = {"PTT", "Key", "K+S", "All"};
constexpr const char* kPowerOnDisplay[] = {"关", "电压", "信息"};
constexpr const char* kTailTone[] = {"频率", "120", "180", "240"};
constexpr const char* kResetTime[] = {"关", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

constexpr COptionFallback kNone{};
constexpr COptionFallback Entry(int index) { return {index, nullptr}; }
constexpr COptionFallback Prefix(const char* text) { return {-1, text}; }

constexpr EOptionValue kIndex = EOptionValue::Index;

constexpr std::array<COptionField, kOptionFieldCount> kFields{{
    {kSettingsTimeOut, 0, 8, 1171, "发射限时 (s)", kTimeLimit, Prefix("30"), kIndex, false},
    {kSettings42, 0, 8, 1178, "静噪电平", kZeroToNine, Entry(4), EOptionValue::Text, false},
    {kSettings43, 0, 8, 1173, "声控电平", kOneToNine, Prefix("4"), kIndex, false},
    {kSettings44, 0, 8, 1177, "步进 (kHz)", kStep, Entry(4), kIndex, false},
    {kSettings46, 0, 8, 1166, "背光灯时间(s)", kOneToTen, Prefix("5"), EOptionValue::TextMinusOne,
     false},
    {kSettings48, 0, 8, 1174, "声控延迟时间 (s)", kOneToFour, Prefix("3"), kIndex, false},
    {kSettingsBits49, 0, 1, 1168, "结束提示音", kOffOn, kNone, kIndex, false},
    {kSettingsBits49, 1, 1, 1195, "双待发射信道", kTransmitChannel, kNone, kIndex, false},
    {kSettingsBits49, 2, 1, 1157, "提示音", kOffOn, kNone, kIndex, false},
    {kSettingsBits49, 5, 2, 1170, "扫描模式", kScanMode, Entry(0), kIndex, false},
    {kSettingsBits49, 7, 1, 1175, "身份识别开关", kOffOn, kNone, kIndex, false},
    {kSettingsBits4A, 1, 1, 1185, "专业机模式", kOffOn, kNone, kIndex, false},
    {kSettingsBits4A, 2, 1, 1187, "自动锁键盘", kOffOn, kNone, kIndex, false},
    {kSettingsBits4A, 3, 1, 1169, "尾音消除", kOffOn, kNone, kIndex, false},
    {kSettingsBits4A, 4, 2, 1158, "背光灯模式", kBacklightMode, Entry(1), kIndex, false},
    {kSettingsBits4A, 6, 2, 1167, "背光灯颜色", kOneToThree, Prefix("1"), kIndex, false},
    {kSettingsBits4B, 0, 1, 1180, "VFO/MR", kVfoMr, kNone, kIndex, false},
    {kSettingsBits4B, 1, 1, 1181, "双频守候", kOffOn, kNone, kIndex, false},
    {kSettingsBits4B, 2, 1, 1179, "主信道A/B", kAB, kNone, kIndex, false},
    {kSettingsBits4B, 3, 2, 1156, "A信道显示", kChannelDisplay, Entry(1), kIndex, false},
    {kSettingsBits4B, 5, 2, 1164, "B信道显示", kChannelDisplay, Entry(1), kIndex, false},
    {kSettingsBits4C, 0, 1, 1189, "语音播报", kOffOn, kNone, kIndex, false},
    {kSettingsBits4C, 4, 1, 1161, "键盘锁", kOnOff, kNone, kIndex, false},
    {kSettingsBits4C, 7, 1, 1188, "收音机监听", kOffOn, kNone, kIndex, false},
    {kSettingsBits4D, 0, 2, 1165, "锁键模式", kKeyLockMode, kNone, kIndex, false},
    {kSettingsBits4D, 2, 2, 1190, "开机信息显示方式", kPowerOnDisplay, Entry(1), kIndex, false},
    {kSettingsBits4D, 4, 2, 1160, "电池省电", kOffOn, Entry(1), kIndex, false},
    {kSettingsBits4E, 0, 1, 1184, "手电筒功能", kOffOn, kNone, kIndex, false},
    {kSettingsBits4E, 4, 2, 1172, "尾音模式", kTailTone, kNone, kIndex, true},
    {kSettingsBits4E, 6, 1, 1182, "B段工作区", kAB, kNone, kIndex, false},
    {kSettingsBits4E, 7, 1, 1176, "A段工作区", kAB, kNone, kIndex, false},
    {kDualStandbyResetTime, 0, 8, 1194, "双待复位时间", kResetTime, Entry(0), kIndex, true},
}};

constexpr int kDefaultDualWatchTime = 150;

int FirstEntryBeginningWith(std::span<const char* const> entries, std::string_view prefix) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (std::string_view(entries[i]).starts_with(prefix)) return static_cast<int>(i);
    return -1;
}

int LoadSelection(const COptionField& field, const CMemoryImage& image) {
    const int stored = image[field.offset];
    const int count = static_cast<int>(field.entries.size());
    switch (field.value) {
    case EOptionValue::Index: {
        const int index = (stored >> field.shift) & ((1 << field.width) - 1);
        return index < count ? index : -1;
    }
    case EOptionValue::Text:
        return FirstEntryBeginningWith(field.entries, std::to_string(stored));
    case EOptionValue::TextMinusOne:
        return FirstEntryBeginningWith(field.entries, std::to_string(stored + 1));
    }
    return -1;
}

void StoreSelection(const COptionField& field, int selection, CMemoryImage& image) {
    uint8_t& byte = image[field.offset];
    const int index = selection < 0 ? 0 : selection;
    if (field.value != EOptionValue::Index) {
        const int number = static_cast<int>(ScanInt(field.entries[index]).value_or(0));
        byte = static_cast<uint8_t>(field.value == EOptionValue::Text ? number : number - 1);
        return;
    }
    const int mask = ((1 << field.width) - 1) << field.shift;
    byte = static_cast<uint8_t>((byte & ~mask) | ((index << field.shift) & mask));
}

bool IsPrintable(uint8_t c) { return c >= 0x20 && c < 0x7F; }

std::string LoadGreeting(const CMemoryImage& image) {
    std::string text;
    for (uint8_t byte : image.Field<kGreetingLength>(kGreeting)) {
        // The radio also keeps digits and the two DTMF signs as their key codes.
        char c = static_cast<char>(byte);
        if (byte <= 9) c = static_cast<char>('0' + byte);
        if (byte == 14) c = '*';
        if (byte == 15) c = '#';
        if (!IsPrintable(static_cast<uint8_t>(c))) break;
        text += c;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

int DualWatchHundredths(std::string_view text) {
    const int64_t v = ScaleText(text, 2);
    return v < 1 || v > 255 ? -1 : static_cast<int>(v);
}

} // namespace

const std::array<COptionField, kOptionFieldCount>& OptionFields() { return kFields; }

int OptionFieldIndex(int controlId) {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (kFields[i].controlId == controlId) return static_cast<int>(i);
    return -1;
}

void ApplyOptionFallbacks(COptionsForm& form) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (form.selections[i] >= 0) continue;
        const COptionFallback& fallback = kFields[i].fallback;
        form.selections[i] = fallback.text
                                 ? FirstEntryBeginningWith(kFields[i].entries, fallback.text)
                                 : fallback.index;
    }
}

void ApplyProfessionalModeRule(COptionsForm& form) {
    form.vfoMrEnabled = form.Selection(kProfessionalModeId) != 1;
    if (!form.vfoMrEnabled) form.Selection(kVfoMrId) = 0;
}

std::string CheckDualWatchTime(std::string_view text) {
    int v = text.empty() ? -1 : DualWatchHundredths(text);
    if (v < 0) v = kDefaultDualWatchTime;
    return FormatScaled(v, 2);
}

std::string StepDualWatchTime(std::string_view text, int step) {
    int64_t v = ScaleText(text, 2) + step;
    if (v < 1 || v > 255) v = step > 0 ? 1 : 255;
    return FormatScaled(v, 2);
}

COptionsForm LoadOptions(const CMemoryImage& image) {
    COptionsForm form;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        form.selections[i] = LoadSelection(kFields[i], image);
    form.greeting = LoadGreeting(image);
    // Two decimals, as the field shows it: one would round a stored 123 to 120 on every open.
    form.dualWatchTime = FormatScaled(image[kDualWatchTime], 2);
    ApplyOptionFallbacks(form);
    form.dualWatchTime = CheckDualWatchTime(form.dualWatchTime);
    ApplyProfessionalModeRule(form);
    return form;
}

void StoreOptions(COptionsForm& form, CMemoryImage& image) {
    ApplyOptionFallbacks(form);
    form.dualWatchTime = CheckDualWatchTime(form.dualWatchTime);
    for (std::size_t i = 0; i < kFields.size(); ++i)
        StoreSelection(kFields[i], form.selections[i], image);
    auto greeting = image.Field<kGreetingLength>(kGreeting);
    for (std::size_t i = 0; i < greeting.size(); ++i)
        greeting[i] = i < form.greeting.size() ? static_cast<uint8_t>(form.greeting[i]) : ' ';
    image[kDualWatchTime] = static_cast<uint8_t>(ScaleText(form.dualWatchTime, 2));
}

namespace {
constexpr CFormField kEditFields[] = {
    {kGreetingId, "开机问候语编制", EFieldKind::Edit, {}, kGreetingLimit},
    {kDualWatchTimeId,
     "双频守候时间",
     EFieldKind::Edit,
     {},
     kDualWatchTimeLimit,
     EKeyRule::Printable,
     StepDualWatchTime,
     kDualWatchSpinId,
     CheckDualWatchTime,
     true},
};

constexpr auto kFormFields = [] {
    std::array<CFormField, kOptionFieldCount + std::size(kEditFields)> rows{};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const COptionField& list = kFields[i];
        rows[i] = {list.controlId, list.caption, EFieldKind::List, list.entries};
        rows[i].hidden = list.hidden;
    }
    for (std::size_t i = 0; i < std::size(kEditFields); ++i)
        rows[kFields.size() + i] = kEditFields[i];
    return rows;
}();
} // namespace

std::span<const CFormField> OptionFormFields() { return kFormFields; }

CFieldSlot OptionsSlot(COptionsForm& form, int controlId) {
    if (controlId == kGreetingId) return {.edit = &form.greeting};
    if (controlId == kDualWatchTimeId) return {.edit = &form.dualWatchTime};
    if (OptionFieldIndex(controlId) >= 0) return {.list = &form.Selection(controlId)};
    return {};
}

} // namespace tarsel
