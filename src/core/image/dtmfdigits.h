// DTMF characters as the radio stores them: one code a character, unused positions 0xFF.
#pragma once

#include <cstdint>
#include <optional>

namespace tarsel {

inline constexpr uint8_t kNoDtmfDigit = 0xFF;

// "0".."9" -> 0..9, "A".."F" (either case) -> 10..15, "*" -> 14, "#" -> 15; anything else 255.
uint8_t DtmfCodeFromChar(char c);

// 0..13 -> the upper-case hexadecimal digit, 14 -> "*", 15 -> "#"; codes above 15 have none.
std::optional<char> DtmfCharFromCode(uint8_t code);

} // namespace tarsel
