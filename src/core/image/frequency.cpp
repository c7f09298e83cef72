#include "core/image/frequency.h"

#include "core/image/decimal.h"

namespace tarsel {

std::string FrequencyText(int64_t units) { return FormatScaled(units, kFrequencyDecimals); }

int64_t ParseFrequencyText(std::string_view text) {
    return ScaleText(text, kFrequencyDecimals);
}

} // namespace tarsel
