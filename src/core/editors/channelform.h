// The single channel window ("信道编辑") without its window: one record of the channel table as a
// form, the checks run when a field is left, and the moves from channel to channel (the A and B
// memories and both VFOs).
#pragma once

#include "core/editors/channeloptions.h"
#include "core/image/bands.h"
#include "core/image/memoryimage.h"

#include <string>
#include <string_view>

namespace tarsel {

inline constexpr int kChannelLabelLimit = 4; // characters that can be typed
inline constexpr int kChannelNameLimit = 7;

struct CChannelForm {
    int channel = 1;    // the record on screen, 1..258
    std::string label;  // the channel number field: "A001", "B VFO", or what was typed
    std::string rx, tx; // MHz texts; an empty tx means no transmit frequency
    std::string rxTone, txTone;
    std::string name;
    CChannelOptionSelections options{}; // -1 = no selection
    bool enabled = true;     // false: an empty channel, only the receive field can be used
    std::string committedRx; // the receive text the record is written from
    std::string savedTx;     // the transmit text when that field got the focus
    friend bool operator==(const CChannelForm&, const CChannelForm&) = default;
};

// Record -> form. Only byte 3 = FF counts as empty here: a 00 there, or a receive frequency in no
// band, is shown as it is.
CChannelForm LoadChannel(const CMemoryImage& image, int channel);

// Form -> record of form.channel, from the committed receive text. An empty one clears the record.
void StoreChannel(const CChannelForm& form, CMemoryImage& image);

// Leaving the channel number field: store, then load the channel it names (clamped to 1..258).
// Nothing happens while it names the channel on screen.
void MoveToTypedChannel(CChannelForm& form, CMemoryImage& image);
// One spin click: store, then the channel after (or before) the one the field names, wrapping.
void StepChannel(CChannelForm& form, CMemoryImage& image, int step);

// Leaving the receive field, or Enter in it.
void CheckReceive(CChannelForm& form, const CBandLimits& limits);
// Leaving the transmit field (nothing happens while the receive field is empty).
void CheckTransmit(CChannelForm& form, const CBandLimits& limits);
// Leaving a tone box: the tone normalisation (nothing while the receive field is empty).
void CheckTone(std::string& tone, const CChannelForm& form);

} // namespace tarsel
