// Frequency texts: MHz with five decimals in the grid and the dialogs, 10 Hz units in the image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

inline constexpr int kFrequencyDecimals = 5; // 10 Hz units <-> MHz

// "%3.5f" of units x 0.00001: 14512500 -> "145.12500".
std::string FrequencyText(int64_t units);

// truncate(decimal(atof(text)) x 100000). An empty or unreadable text gives 0 (no frequency).
int64_t ParseFrequencyText(std::string_view text);

} // namespace tarsel
