#include "core/image/dtmfdigits.h"

namespace tarsel {

uint8_t DtmfCodeFromChar(char c) {
    if (c == '#') return 15;
    if (c == '*') return 14;
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
    return kNoDtmfDigit;
}

std::optional<char> DtmfCharFromCode(uint8_t code) {
    if (code == 14) return '*';
    if (code == 15) return '#';
    if (code > 15) return std::nullopt;
    return "0123456789ABCD"[code];
}

} // namespace tarsel
