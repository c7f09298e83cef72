// Building channel-list texts for the tests: rows named by column, in the header's order.
#pragma once

#include "core/interchange/channelcsv.h"
#include "core/interchange/csvtext.h"

#include <map>
#include <string>

namespace tarsel::test {

inline std::string CsvHeader() {
    std::string header;
    for (const char* name : CsvColumnNames())
        header += (header.empty() ? "" : ",") + std::string(name);
    return header + "\n";
}

// One data line with the given values, every other column empty.
inline std::string CsvRow(const std::map<ECsvColumn, std::string>& values) {
    std::string line;
    for (int column = 0; column < kCsvColumnCount; ++column) {
        if (column) line += ',';
        const auto it = values.find(static_cast<ECsvColumn>(column));
        if (it != values.end()) line += CsvField(it->second);
    }
    return line + "\n";
}

} // namespace tarsel::test
