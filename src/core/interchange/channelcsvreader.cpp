#include "core/interchange/channelcsv.h"

#include "core/interchange/csvrowrules.h"
#include "core/interchange/csvtext.h"

#include <algorithm>
#include <map>

namespace tarsel {

namespace {

using csv::CRowError;
using csv::CRowValues;

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Where each column is in the records; -1 where the file has none.
using CColumnIndex = std::array<int, kCsvColumnCount>;

CColumnIndex IndexHeader(const CCsvRecord& header) {
    CColumnIndex index;
    index.fill(-1);
    for (int column = 0; column < kCsvColumnCount; ++column) {
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            if (SameName(TrimBlanks(header.fields[i]), CsvColumnNames()[column])) {
                index[column] = static_cast<int>(i);
                break;
            }
        }
    }
    return index;
}

CRowValues ValuesOf(const CCsvRecord& record, const CColumnIndex& index) {
    CRowValues values;
    for (int column = 0; column < kCsvColumnCount; ++column) {
        const int at = index[column];
        if (at < 0 || static_cast<std::size_t>(at) >= record.fields.size()) continue;
        const std::string& field = record.fields[static_cast<std::size_t>(at)];
        // A name may begin or end with a space; every other value is read without them.
        values[column] = column == kCsvName ? field : std::string(TrimBlanks(field));
    }
    return values;
}

// A Location as written: digits, perhaps a minus sign.
std::optional<int> ReadLocation(std::string_view text) {
    text = TrimBlanks(text);
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = std::stoi(std::string(text));
    return negative ? -value : value;
}

// One row while it is judged: its messages stay with it until the rows are in line order.
struct CRow {
    const CCsvRecord* record;
    CRowValues values;
    std::optional<int> location;
    CCsvChannel channel;
    std::vector<CRowError> warnings;
    std::optional<CRowError> error;
};

void Emit(CCsvImport& found, int line, ECsvColumn column, std::string reason, bool error) {
    found.messages.push_back({line, CsvColumnNames()[column], std::move(reason), error});
}

} // namespace

const std::array<const char*, kCsvColumnCount>& CsvColumnNames() {
    static constexpr std::array<const char*, kCsvColumnCount> names = {
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return names;
}

std::string CCsvMessage::Text() const {
    return "line " + std::to_string(line) + ": " + column + ": " + reason;
}

int CCsvImport::RowErrors() const {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [](const CCsvMessage& m) { return m.error; }));
}

bool CCsvImport::Applicable(const CCsvImportOptions& options) const {
    return !unreadable && (options.skipBad || RowErrors() == 0);
}

CCsvImport ReadChannelCsv(std::string_view text, const CBandLimits& limits,
                          const CCsvImportOptions& options) {
    CCsvImport found;
    std::vector<CCsvRecord> records = SplitCsvRecords(text);
    std::erase_if(records, [](const CCsvRecord& r) { return IsBlankRecord(r); });
    if (records.empty()) {
        found.unreadable = true;
        Emit(found, 1, kCsvLocation, "the file has no header line", true);
        return found;
    }
    const CCsvRecord& header = records.front();
    const CColumnIndex index = IndexHeader(header);
    for (ECsvColumn required : {kCsvLocation, kCsvFrequency}) {
        if (index[required] >= 0) continue;
        found.unreadable = true;
        Emit(found, header.line, required, "the header has no such column", true);
    }
    if (found.unreadable) return found;

    std::vector<CRow> rows;
    for (auto it = records.begin() + 1; it != records.end(); ++it) {
        CRow row{&*it, ValuesOf(*it, index), std::nullopt, {}, {}, std::nullopt};
        row.channel.line = it->line;
        row.location = ReadLocation(row.values[kCsvLocation]);
        rows.push_back(std::move(row));
    }

    // Lists numbered from 0 are common: shift them all by one, and say so once.
    int shift = 0;
    const CRow* zeroRow = nullptr;
    if (options.first == 0) {
        const auto zero =
            std::find_if(rows.begin(), rows.end(), [](const CRow& r) { return r.location == 0; });
        const bool negative = std::any_of(
            rows.begin(), rows.end(), [](const CRow& r) { return r.location && *r.location < 0; });
        if (zero != rows.end() && !negative) {
            shift = 1;
            zeroRow = &*zero;
        }
    }

    std::map<int, int> used; // channel -> line of the row that named it
    for (CRow& row : rows) {
        const int line = row.record->line;
        if (row.record->unterminated)
            row.warnings.push_back({kCsvLocation, "a quoted field is not closed before the end "
                                                  "of the file"});
        if (row.record->fields.size() > header.fields.size())
            row.warnings.push_back(
                {kCsvComment, std::to_string(row.record->fields.size()) +
                                  " fields where the header has " +
                                  std::to_string(header.fields.size()) +
                                  "; read by position, the extra fields ignored"});
        if (options.first == 0) {
            if (!row.location) {
                row.error = CRowError{kCsvLocation,
                                      "'" + row.values[kCsvLocation] + "' is not a channel number"};
                continue;
            }
            const int channel = *row.location + shift;
            if (channel < 1 || channel > kCsvLastChannel) {
                row.error = CRowError{kCsvLocation, std::to_string(*row.location) +
                                                        " is not a memory channel (1-256)"};
                continue;
            }
            if (const auto earlier = used.find(channel); earlier != used.end()) {
                row.error = CRowError{kCsvLocation, std::to_string(*row.location) +
                                                        " is already used by line " +
                                                        std::to_string(earlier->second)};
                continue;
            }
            used[channel] = line;
            row.channel.channel = channel;
        }
        row.error = csv::JudgeRow(row.values, limits, row.channel, row.warnings);
    }

    if (options.first != 0) {
        int next = options.first;
        for (CRow& row : rows) {
            if (row.error) continue;
            if (next > kCsvLastChannel)
                row.error = CRowError{kCsvLocation, "the row would go past channel 256"};
            else
                row.channel.channel = next++;
        }
    }

    for (CRow& row : rows) {
        const int line = row.record->line;
        if (&row == zeroRow)
            Emit(found, line, kCsvLocation,
                 "the list numbers its channels from 0: every Location is taken as one more",
                 false);
        if (row.error) {
            // A refused row says only why: its warnings would not matter any more.
            Emit(found, line, row.error->column, std::move(row.error->reason), true);
            continue;
        }
        for (CRowError& warning : row.warnings)
            Emit(found, line, warning.column, std::move(warning.reason), false);
        found.channels.push_back(std::move(row.channel));
    }
    return found;
}

} // namespace tarsel
