// The encode page ("编码") of the DTMF editor without its window: digit rate, delays and tone
// lengths, side tone, PTT ID codes and the wait for a reply.
#pragma once

#include "core/image/formfield.h"
#include "core/image/memoryimage.h"

#include <string>
#include <string_view>

namespace tarsel {

// List entries whose texts are numbers, in list order.
inline constexpr const char* kDtmfRateEntries[] = {"6", "8", "10", "15"};
inline constexpr const char* kDtmfToneTimeEntries[] = {"0", "100", "500", "1000"};
inline constexpr int kDtmfSideToneEntryCount = 4;     // "关", "按键", "ID", "按键+ID"
inline constexpr int kDtmfWaitForReplyEntryCount = 2; // "关", "开"

// The page's controls in the order they are shown: 1093 rate, 1094 first digit delay, 1096 first
// digit time, 1097 star and hash time, 1184 side tone, 1117/1118 PTT ID, 1120 wait for reply,
// 1121 wait time.
std::span<const CFormField> DtmfTimingFieldTable();

// Where the form keeps what the control with this id shows (an empty slot for none).
struct CDtmfTimingFields;
CFieldSlot DtmfTimingSlot(CDtmfTimingFields& fields, int controlId);

struct CDtmfTimingFields { // exactly what the page's controls show; -1 = no selection
    int rateIndex = -1;
    std::string firstDigitDelay; // ms
    int firstDigitTimeIndex = -1;
    int starHashTimeIndex = -1;
    int sideToneIndex = -1;
    std::string pttIdStart, pttIdEnd;
    int waitForReplyIndex = -1;
    std::string waitTime; // s
    friend bool operator==(const CDtmfTimingFields&, const CDtmfTimingFields&) = default;
};

// Image to fields, then the validation pass.
CDtmfTimingFields LoadDtmfTiming(const CMemoryImage& image);
void ValidateDtmfTiming(CDtmfTimingFields& fields);
// The validation pass (the fields show its result afterwards), then fields to image. Bytes the
// page shares with other editors keep the other editors' bits.
void StoreDtmfTiming(CDtmfTimingFields& fields, CMemoryImage& image);

// On leaving an edit.
std::string
NormaliseFirstDigitDelay(std::string_view text);  // multiple of 100 in 100..1000, else 200
std::string ClampWaitTime(std::string_view text); // 3..60
// One spin click (step +1 or -1), wrapping round at both ends.
std::string StepFirstDigitDelay(std::string_view text, int step);
std::string StepWaitTime(std::string_view text, int step);

} // namespace tarsel
