#include "core/image/decimal.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace tarsel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

// The "C" locale, whatever the process's: its decimal separator is the point. (Floating-point
// charconv would do, but not every standard library this builds with has it.)
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

CParsedNumber ParseLeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
    }
    if (digits == 0) return {};
    std::size_t end = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        if (exp < text.size() && IsDigit(text[exp])) {
            while (exp < text.size() && IsDigit(text[exp])) ++exp;
            end = exp;
        }
    }
    // Out of range, strtod gives HUGE_VAL or (about) 0, as callers expect.
    const std::string number(text.substr(start, end - start));
    const double value = strtod_l(number.c_str(), nullptr, CLocale());
    return {negative ? -value : value, end};
}

int64_t ScaleToInteger(double value, int power) {
    if (std::isnan(value) || value == 0.0) return 0;
    if (std::isinf(value)) return value > 0 ? kInt64Max : -kInt64Max;
    // 15 significant digits, as the decimal type rounds a double: d.dddddddddddddde±x.
    // The separator printed follows the locale; only the digits and the exponent are read.
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string_view text(buffer, static_cast<std::size_t>(std::max(length, 0)));
    int64_t mantissa = 0;
    std::size_t pos = 0;
    for (; pos < text.size() && text[pos] != 'e'; ++pos)
        if (IsDigit(text[pos])) mantissa = mantissa * 10 + (text[pos] - '0');
    int exponent = 0;
    std::from_chars(text.data() + pos + 1 + (text[pos + 1] == '+'), text.data() + text.size(),
                    exponent);
    // value = mantissa x 10^(exponent - 14); scaled by 10^power.
    int shift = exponent - 14 + power;
    int64_t magnitude = mantissa;
    if (shift < 0) {
        for (; shift < 0 && magnitude != 0; ++shift) magnitude /= 10;
    } else {
        for (; shift > 0; --shift) {
            if (magnitude > kInt64Max / 10) {
                magnitude = kInt64Max;
                break;
            }
            magnitude *= 10;
        }
    }
    return value < 0 ? -magnitude : magnitude;
}

int64_t ScaleText(std::string_view text, int power) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    int64_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false, any = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.' && !point) {
            point = true;
        } else if (IsDigit(c)) {
            any = true;
            if (digits == 0 && c == '0') {
                decimals += point;
                continue; // leading zeros are not significant
            }
            if (++count > 15) return ScaleToInteger(ReadDouble(text), power);
            digits = digits * 10 + (c - '0');
            decimals += point;
        } else {
            break;
        }
    }
    if (!any) return 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E'))
        return ScaleToInteger(ReadDouble(text), power);
    int shift = power - decimals;
    for (; shift > 0; --shift) digits = digits > kInt64Max / 10 ? kInt64Max : digits * 10;
    for (; shift < 0 && digits != 0; ++shift) digits /= 10;
    return negative ? -digits : digits;
}

std::string FormatScaled(int64_t units, int decimals) {
    const bool negative = units < 0;
    // Work in unsigned so that the most negative value formats too.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    std::string digits = std::to_string(magnitude);
    if (decimals > 0) {
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    }
    return negative ? "-" + digits : digits;
}

} // namespace tarsel
