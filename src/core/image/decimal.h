// Decimal scaling between texts and integer units. A typed 145.125 must become exactly 14512500
// and a typed 88.5 exactly 885: a binary floating-point multiply would sometimes give one unit
// less. The text is read as a double, the double is rounded to 15 significant decimal digits, and
// that decimal number is scaled by a power of ten exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// What atof/strtod read from the start of a text: leading white space, a sign, digits with at most
// one point, an optional exponent. Read without regard to the process locale (the desktop program
// runs with the user's locale, whose decimal separator may be a comma). No digits read gives 0;
// a value too large for a double gives +/-HUGE_VAL, as strtod does.
struct CParsedNumber {
    double value = 0.0;
    std::size_t length = 0; // characters consumed; 0 when nothing was read
};
CParsedNumber ParseLeadingNumber(std::string_view text);
inline double ReadDouble(std::string_view text) { return ParseLeadingNumber(text).value; }

// truncate(decimal(value) x 10^power) toward zero. Results beyond the 64-bit range saturate.
int64_t ScaleToInteger(double value, int power);

// ScaleToInteger(ReadDouble(text), power), without the detour through binary when the text is a
// plain decimal of at most 15 significant digits (a double holds those exactly enough that the
// 15-digit rounding gives them back, so the result is the same).
int64_t ScaleText(std::string_view text, int power);

// Text of units x 10^-decimals with exactly that many decimals, as "%.Nf" prints it
// (14512500 with 5 decimals gives "145.12500").
std::string FormatScaled(int64_t units, int decimals);

} // namespace tarsel
