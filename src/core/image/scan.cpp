#include "core/image/scan.h"

#include <cctype>
#include <limits>

namespace tarsel {

std::optional<int64_t> ScanInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    constexpr int64_t kLimit = std::numeric_limits<int>::max();
    int64_t value = 0;
    bool any = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        any = true;
        value = std::min<int64_t>(value * 10 + (text[pos] - '0'), kLimit + 1);
    }
    if (!any) return std::nullopt;
    if (negative) return -value;
    return std::min(value, kLimit);
}

std::optional<int64_t> ScanPattern(std::string_view text, std::string_view pattern) {
    std::size_t t = 0;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        if (pattern.substr(p, 2) == "%d") return ScanInt(text.substr(t));
        if (t >= text.size() || text[t] != pattern[p]) return std::nullopt;
        ++t;
    }
    return std::nullopt;
}

} // namespace tarsel
