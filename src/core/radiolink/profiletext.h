// The text of a sectioned key=value settings file, read and changed by the rules of the classic
// private-profile format. Bytes are bytes: only ASCII letters compare without regard to case,
// so UTF-8 and GB2312 texts pass through untouched.
//
//   [Section]          a header; the name is trimmed, text after the first ']' is ignored
//   key = value        key and value trimmed; the first '=' splits them
//   ; comment          not an entry
//   a line without =   an entry whose key is the whole line and whose value is empty
//
// Only the first section of a name counts, and in it only the first entry of a key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::profile {

// The longest text a value reads as: the 260-character buffer less its terminating NUL.
inline constexpr std::size_t kValueLimit = 259;

// The value of key in section, trimmed but otherwise as written; nothing when either is missing.
std::optional<std::string_view> FindRawValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// A raw value as a text read hands it out: ended at a NUL, a matching pair of enclosing double or
// single quotes removed, then cut to kValueLimit bytes.
std::string CleanValue(std::string_view raw);

// A value as an integer read hands it out: an optional sign, then decimal digits or "0x" and hex
// digits, as far as they go ("55zz" is 55, no digits is 0), wrapping past 32 bits. An empty value
// gives the fallback, as the profile functions cannot tell it from a missing key.
int ParseInteger(std::string_view cleanValue, int fallback);

// The entries of a section as a section read lists them: "key=value" for an entry with '=',
// the whole line for one without, comments and blank lines left out.
std::vector<std::string> SectionEntries(std::string_view text, std::string_view section);

// Whether a section, key and value can be written without changing the file's structure: no line
// breaks or NULs anywhere, a section without ']', a key without '=' that does not start like a
// comment or a header. Section and key must not be blank.
bool IsWritable(std::string_view section, std::string_view key, std::string_view value);

// text with key set to value: the first entry of key in the first such section is rewritten in
// place; otherwise the entry is added after the section's last line, or a new section is appended.
// Every other line, comment and line ending stays as it was; new lines take the file's own line
// ending. Expects IsWritable(section, key, value).
std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

} // namespace tarsel::profile
