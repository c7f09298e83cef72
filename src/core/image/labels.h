// Channel numbers 1..258 and their texts.
#pragma once

#include <string>
#include <string_view>

namespace tarsel {

// The channel dialogs' labels: A001..A128, B001..B128, "A VFO", "B VFO"; empty for other numbers.
std::string ChannelLabel(int channel);

// Label -> channel number, 0 for none. "A12" and "a12" give 12, "B5" and "b5" give 133, "129"
// gives 129, "a vfo" gives 257. The number is not range-checked ("A200" gives 200): callers do.
int ChannelFromLabel(std::string_view text);

// The grid's row labels: "A 001".."A 128", "B 001".."B 128", "A VFO", "B VFO".
std::string GridLabel(int channel);

// 0 for the A memories and the A VFO, 1 for the B ones, -1 otherwise.
int BandOfChannel(int channel);

inline bool IsChannel(int channel) { return channel >= 1 && channel <= 258; }
inline bool IsVfo(int channel) { return channel == 257 || channel == 258; }

} // namespace tarsel
