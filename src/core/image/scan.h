// The little of sscanf that the radio's texts are read with: literal characters and one "%d".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarsel {

// "%d" at the start of text: leading white space, an optional sign, at least one digit. Values
// past the int range saturate (sscanf's overflow is undefined; saturating keeps them out of every
// valid range).
std::optional<int64_t> ScanInt(std::string_view text);

// Matches text against a pattern of literal characters and one "%d", as sscanf would return 1:
// literals must match exactly (sscanf does not skip white space before a literal), "%d" skips
// white space, and what follows the number is not looked at.
std::optional<int64_t> ScanPattern(std::string_view text, std::string_view pattern);

} // namespace tarsel
