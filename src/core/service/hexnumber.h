// Numbers typed into the service windows: read leniently (leading digits, in a base) and shown
// with "%d" or "%x".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// The leading digits of text in base 10 or 16 (after blanks and an optional sign); 0 when there
// are none. Saturates far outside int range instead of overflowing.
int64_t LeadingNumber(std::string_view text, int base);
// "%d" or "%x" (lower case, no leading zeros).
std::string NumberText(int64_t value, int base);

} // namespace tarsel
