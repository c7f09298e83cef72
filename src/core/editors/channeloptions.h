// The option lists that both channel dialogs show for one record: which bits of the signalling
// and flags bytes each list holds, its entries, and what it shows when the bits hold no entry.
#pragma once

#include "core/image/memoryimage.h"

#include <array>
#include <cstdint>
#include <span>

namespace tarsel {

struct CChannelOption {
    int controlId;
    const char* caption;
    int recordByte; // map::rec::kSignalling or map::rec::kFlags
    uint8_t shift;
    uint8_t width;
    std::span<const char* const> entries;
    int fallback;   // shown when the bits hold an index past the list
    int newChannel; // chosen for a channel that gets its first receive frequency
};

inline constexpr int kChannelOptionCount = 9;

// In the order the single channel dialog lists them: power, scan, signalling type, busy lock,
// PTT ID, VOX, bandwidth, voice processing, repeater mode.
const std::array<CChannelOption, kChannelOptionCount>& ChannelOptions();

// Position of a control id in ChannelOptions(); -1 when it is none of them.
int ChannelOptionIndex(int controlId);

// Selected list index per option; -1 = no selection.
using CChannelOptionSelections = std::array<int, kChannelOptionCount>;

// Every option read from a record, unknown values replaced by the option's fallback.
CChannelOptionSelections ReadChannelOptions(const CMemoryImage& image, int channel);

// Bytes 12 and 13 composed from the lists alone (a list without selection counts as 0).
void WriteChannelOptions(const CChannelOptionSelections& selections, CMemoryImage& image,
                         int channel);

} // namespace tarsel
