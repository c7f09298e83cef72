// Comma-separated text as RFC 4180 describes it, read leniently: the records of a file and the
// quoting of one field.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

struct CCsvRecord {
    int line = 0; // 1-based line the record starts on (a quoted field may span lines)
    std::vector<std::string> fields;
    bool unterminated = false; // a quoted field was still open at the end of the text
};

// Splits text into records. A UTF-8 byte-order mark at the start is dropped; CRLF, LF and a lone
// CR end a line; "" inside a quoted field is one quote. Text that does not follow the rules (a
// quote inside an unquoted field, characters after a closing quote) is kept as it stands rather
// than refused: such files come from hand edits and the row rules judge the values.
std::vector<CCsvRecord> SplitCsvRecords(std::string_view text);

// A record whose fields are all empty or white space: a blank line.
bool IsBlankRecord(const CCsvRecord& record);

// The field as written: quoted when it holds a comma, a quote, a line end or leading or trailing
// white space, with its quotes doubled.
std::string CsvField(std::string_view value);

// value without the spaces and tabs around it.
std::string_view TrimBlanks(std::string_view value);

} // namespace tarsel
