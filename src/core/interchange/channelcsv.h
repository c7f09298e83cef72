// Channel lists in the shared CSV channel format: the columns, what an import found in a file,
// and the three steps (read and judge the rows, apply them through the grid, write a list out).
#pragma once

#include "core/image/bands.h"
#include "core/image/memoryimage.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

enum ECsvColumn {
    kCsvLocation,
    kCsvName,
    kCsvFrequency,
    kCsvDuplex,
    kCsvOffset,
    kCsvTone,
    kCsvRToneFreq,
    kCsvCToneFreq,
    kCsvDtcsCode,
    kCsvDtcsPolarity,
    kCsvRxDtcsCode,
    kCsvCrossMode,
    kCsvMode,
    kCsvTStep,
    kCsvSkip,
    kCsvPower,
    kCsvComment,
    kCsvUrCall,
    kCsvRpt1Call,
    kCsvRpt2Call,
    kCsvDvCode,
    kCsvColumnCount
};

// The header names in the order they are written.
const std::array<const char*, kCsvColumnCount>& CsvColumnNames();

// The memory channels a list can fill: A 001..A 128, B 001..B 128.
inline constexpr int kCsvLastChannel = 256;

// A warning, or an error that refuses its row (line 0 and no column for the file as a whole).
struct CCsvMessage {
    int line = 0;
    std::string column;
    std::string reason;
    bool error = false;
    // "line N: Column: reason"
    std::string Text() const;
};

struct CCsvImportOptions {
    bool clear = false;   // empty all 256 memory channels first
    bool skipBad = false; // apply the good rows when some have errors
    int first = 0;        // 1..256: the rows go into consecutive channels from here; 0: Location
};

// One accepted row, as the grid's editors will be given it.
struct CCsvChannel {
    int line = 0;
    int channel = 0; // 1..256
    int64_t rx = 0;  // 10 Hz units, in a band and on the raster
    int64_t tx = 0;
    std::string rxTone = "无"; // tone-list texts: decode, encode
    std::string txTone = "无";
    bool highPower = true;
    bool scan = true;
    bool wide = true;
    std::string name; // printable ASCII, at most 7 characters
    friend bool operator==(const CCsvChannel&, const CCsvChannel&) = default;
};

// What reading a list found.
struct CCsvImport {
    std::vector<CCsvChannel> channels; // accepted rows, in file order
    std::vector<CCsvMessage> messages; // warnings and errors, in line order
    bool unreadable = false;           // no header or a required column missing: nothing applies
    int RowErrors() const;
    // Whether applying changes anything: a readable file and, unless bad rows may be skipped,
    // no row error.
    bool Applicable(const CCsvImportOptions& options) const;
};

// Reads a list and judges every row against the document's band limits.
CCsvImport ReadChannelCsv(std::string_view text, const CBandLimits& limits,
                          const CCsvImportOptions& options);

// Applies what was found through the grid's commit functions, then parses the grid with the
// finalisation. Returns false and leaves image and limits as they were when it does not apply.
bool ApplyChannelCsv(const CCsvImport& found, const CCsvImportOptions& options, CMemoryImage& image,
                     CBandLimits& limits);

// The list of every memory channel the grid shows with a receive frequency. The band limits are
// loaded from the image as the grid loads them.
std::string WriteChannelCsv(const CMemoryImage& image, CBandLimits limits);

} // namespace tarsel
