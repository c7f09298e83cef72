// DTMF strings as the radio keeps them, and the little number rules the DTMF pages share.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

// The entries of the separator and group call lists, in list order; their codes are 10 to 15.
inline constexpr std::string_view kDtmfSymbolEntries = "ABCD*#";

// From the field's first byte up to the first byte above 15 (or the end of the field).
std::string ReadDtmfString(std::span<const uint8_t> field);

// The whole field erased first, then one code a character from its first byte; characters past
// the end of the field are cut off.
void WriteDtmfString(std::string_view text, std::span<uint8_t> field);

// Keyboard filters: the character as the field takes it (upper case), or nothing when the field
// refuses it.
std::optional<char> AcceptDtmfKey(char c);    // "0123456789ABCD*#", either case
std::optional<char> AcceptDecimalKey(char c); // "0123456789"

// The index of a symbol list entry for a digit code (10 -> "A" ... 15 -> "#"); -1 for any code
// that is no list entry.
int SymbolIndexOfCode(uint8_t code);
// The list entry's text, empty for no selection.
std::string SymbolText(int index);

// The number in an edit as the pages read it: leading digits, nothing readable counts as 0.
int64_t EditNumber(std::string_view text);

// The text of a number clamped into [low, high].
std::string ClampedNumberText(std::string_view text, int64_t low, int64_t high);

// A spin step that leaves [low, high] wraps round: upwards to low, downwards to high.
int64_t WrapStep(int64_t next, int step, int64_t low, int64_t high);

} // namespace tarsel
