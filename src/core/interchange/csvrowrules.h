// The rules for one row of a channel list, column by column, and the texts they share with the
// writer.
#pragma once

#include "core/image/bands.h"
#include "core/interchange/channelcsv.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarsel::csv {

// A value refused, with the column to name.
struct CRowError {
    ECsvColumn column;
    std::string reason;
};

// The values of one record by column (empty where the file has no such column or field).
using CRowValues = std::array<std::string, kCsvColumnCount>;

// Frequencies: "%.6f" MHz both ways; a plain decimal is read, anything else is no frequency.
std::string MegahertzText(int64_t units);
std::optional<int64_t> ReadMegahertz(std::string_view text);

// The columns after Location of one row into channel (rx, tx, tones, choices, name); warnings of
// the row go to warnings. Returns the first error, if any.
std::optional<CRowError> JudgeRow(const CRowValues& values, const CBandLimits& limits,
                                  CCsvChannel& channel, std::vector<CRowError>& warnings);

} // namespace tarsel::csv
