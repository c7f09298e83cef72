// The batch channel window ("信道编辑" from "批量生成") without its window: a whole range of
// memory channels generated from start values, steps and tone walks in one apply.
#pragma once

#include "core/editors/channeloptions.h"
#include "core/image/bands.h"
#include "core/image/memoryimage.h"

#include <functional>
#include <string>
#include <string_view>

namespace tarsel {

enum class EBatchRange { All, ABand, BBand, FromTo };
enum class EBatchTransmit { SameAsReceive, Offset, OwnStart };

// Characters that can be typed into each field.
inline constexpr int kBatchChannelLimit = 3;
inline constexpr int kBatchStartLimit = 9;
inline constexpr int kBatchStepLimit = 6;
inline constexpr int kBatchOffsetLimit = 8;
inline constexpr int kBatchIntervalLimit = 2;
inline constexpr int kBatchNameLimit = 7;

struct CBatchForm {
    EBatchRange range = EBatchRange::All;
    std::string from = "1", to = "256";

    std::string rxStart;      // MHz
    std::string rxStep = "0"; // kHz
    bool rxUp = true;

    EBatchTransmit transmit = EBatchTransmit::SameAsReceive;
    std::string offset; // MHz, used as typed
    bool offsetAdd = true;
    std::string txStart;
    std::string txStep = "0";
    bool txUp = true;

    int rxToneIndex = 0; // into the tone list
    bool rxToneRandom = false;
    std::string rxToneInterval = "0";
    bool rxToneUp = true;

    bool txToneOwn = false; // false: each channel's encode tone is its decode tone
    int txToneIndex = 0;
    bool txToneRandom = false;
    std::string txToneInterval = "0";
    bool txToneUp = true;

    CChannelOptionSelections options{}; // all first entries
    std::string name;
    bool numberName = false; // "按信道号"

    // What the enable rules leave usable.
    struct CEnabled {
        bool fromTo = false;
        bool offset = false;  // the offset field and its sign
        bool txStart = false; // start, step and direction
        bool rxTone = true;   // start tone, interval, direction
        bool txToneRandom = false;
        bool txTone = false; // start tone, interval, direction
        friend bool operator==(const CEnabled&, const CEnabled&) = default;
    } enabled;
};

// What the window shows when it opens: both start frequencies at the A band's lower limit,
// offset 0, then the enable rules.
CBatchForm InitialBatchForm(const CBandLimits& limits);

// The four enable rules; the range rule also sets the channel numbers of the three fixed ranges.
void ApplyBatchEnableRules(CBatchForm& form);

// Leaving the channel number fields.
std::string CheckFromChannel(std::string_view from, std::string_view to);
std::string CheckToChannel(std::string_view from, std::string_view to);
// Leaving a start frequency field: an emptied field gets back what it held when it got the focus;
// a frequency in no band becomes the A band's lower limit; then onto the nearest raster.
std::string CheckStartFrequency(std::string_view text, std::string_view savedText,
                                const CBandLimits& limits);
// While a step field is typed in: its whole part above 1000 gives "1000", 0 gives "0". A decimal
// part is kept, so 12.5 can be typed.
std::string LimitStepWhileTyping(std::string_view text);
// Leaving a step field: onto the nearest raster, in kHz ("12" -> "12.5", "6" -> "6.25").
std::string CheckStep(std::string_view text);
// While an interval field is typed in: above 20 gives "20", 0 or nothing readable gives "0".
std::string LimitIntervalWhileTyping(std::string_view text);

// Writes every memory channel of the range (never a VFO). random gives the whole numbers random
// tones are drawn from; the caller seeds it afresh for each apply.
void ApplyBatch(const CBatchForm& form, const CBandLimits& limits, CMemoryImage& image,
                const std::function<unsigned()>& random);

} // namespace tarsel
