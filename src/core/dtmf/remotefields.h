// The decode page ("解码") of the DTMF editor without its window: group call code, remote kill,
// decode response, alarm code, automatic reset time and decode time.
#pragma once

#include "core/image/formfield.h"
#include "core/image/memoryimage.h"

#include <string>
#include <string_view>

namespace tarsel {

inline constexpr int kDtmfKillEnabledEntryCount = 2; // "开", "关"
inline constexpr int kDtmfKillTypeEntryCount = 4; // "关", "禁止发射", "禁止收发", "遥毙"
inline constexpr int kDtmfDecodeResponseEntryCount = 4; // "无", "提醒", "回复", "提醒+回复"

// The page's controls in the order they are shown: 1104 group call, 1106 kill enabled, 1107 kill
// type, 1108 kill code, 1110 automatic reset time, 1109 decode response, 1114 alarm code, and the
// decode time 1112, which is kept but never shown.
std::span<const CFormField> DtmfRemoteFieldTable();

// Where the form keeps what the control with this id shows (an empty slot for none).
struct CDtmfRemoteFields;
CFieldSlot DtmfRemoteSlot(CDtmfRemoteFields& fields, int controlId);

struct CDtmfRemoteFields {   // exactly what the page's controls show; -1 = no selection
    int groupCallIndex = -1; // "A", "B", "C", "D", "*", "#"
    int killEnabledIndex = -1;
    int killTypeIndex = -1;
    std::string killCode;
    std::string autoResetTime; // s
    int decodeResponseIndex = -1;
    std::string alarmCode;
    std::string decodeTime; // s, one decimal
    friend bool operator==(const CDtmfRemoteFields&, const CDtmfRemoteFields&) = default;
};

// Image to fields, then the validation pass.
CDtmfRemoteFields LoadDtmfRemote(const CMemoryImage& image);
void ValidateDtmfRemote(CDtmfRemoteFields& fields);
// The validation pass (the fields show its result afterwards), then fields to image.
void StoreDtmfRemote(CDtmfRemoteFields& fields, CMemoryImage& image);

// The decode time in hundredths of a second as it is stored: the text scaled exactly, modulo 256,
// and 250 when that is outside 10..250.
int DecodeTimeUnits(std::string_view text);
std::string DecodeTimeText(int units); // one decimal

// On leaving an edit.
std::string ClampAutoResetTime(std::string_view text); // 3..60
std::string NormaliseDecodeTime(std::string_view text);
// One spin click (step +1 or -1), wrapping round at both ends.
std::string StepAutoResetTime(std::string_view text, int step);
std::string StepDecodeTime(std::string_view text, int step);

} // namespace tarsel
