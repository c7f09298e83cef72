#include "core/service/hexnumber.h"

#include <cctype>
#include <cstdio>

namespace tarsel {

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

} // namespace

int64_t LeadingNumber(std::string_view text, int base) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    constexpr int64_t kCeiling = int64_t{1} << 40;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit >= base) break;
        if (value < kCeiling) value = value * base + digit;
    }
    return negative ? -value : value;
}

std::string NumberText(int64_t value, int base) {
    char text[24];
    if (base == 16)
        std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    else
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}

} // namespace tarsel
