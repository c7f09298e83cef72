#include "core/interchange/csvtext.h"

namespace tarsel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::vector<CCsvRecord> SplitCsvRecords(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<CCsvRecord> records;
    CCsvRecord record{1, {std::string()}, false};
    int line = 1;
    bool quoted = false;      // inside a quoted field
    bool fieldQuoted = false; // the current field had a quoted part
    bool anything = false;    // the current record holds a character
    const auto endRecord = [&] {
        records.push_back(std::move(record));
        record = CCsvRecord{line, {std::string()}, false};
        fieldQuoted = false;
        anything = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            if (quoted) {
                record.fields.back() += '\n';
                continue;
            }
            endRecord();
            continue;
        }
        anything = true;
        if (quoted) {
            if (c != '"') {
                record.fields.back() += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                record.fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == ',') {
            record.fields.emplace_back();
            fieldQuoted = false;
        } else if (c == '"' && !fieldQuoted && TrimBlanks(record.fields.back()).empty()) {
            record.fields.back().clear(); // blanks before an opening quote are no part of it
            quoted = fieldQuoted = true;
        } else {
            record.fields.back() += c;
        }
    }
    if (quoted) record.unterminated = true;
    if (anything || record.fields.size() > 1 || quoted) records.push_back(std::move(record));
    return records;
}

bool IsBlankRecord(const CCsvRecord& record) {
    for (const std::string& field : record.fields)
        if (!TrimBlanks(field).empty()) return false;
    return true;
}

std::string CsvField(std::string_view value) {
    const bool needsQuotes = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                             (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())));
    if (!needsQuotes) return std::string(value);
    std::string field = "\"";
    for (char c : value) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + '"';
}

std::string_view TrimBlanks(std::string_view value) {
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
    return value;
}

} // namespace tarsel
