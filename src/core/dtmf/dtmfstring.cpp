#include "core/dtmf/dtmfstring.h"

#include "core/image/dtmfdigits.h"
#include "core/image/memoryimage.h"
#include "core/image/scan.h"

#include <algorithm>

namespace tarsel {

std::string ReadDtmfString(std::span<const uint8_t> field) {
    std::string text;
    for (uint8_t code : field) {
        const std::optional<char> c = DtmfCharFromCode(code);
        if (!c) break;
        text += *c;
    }
    return text;
}

void WriteDtmfString(std::string_view text, std::span<uint8_t> field) {
    std::fill(field.begin(), field.end(), CMemoryImage::kErased);
    const std::size_t length = std::min(text.size(), field.size());
    for (std::size_t i = 0; i < length; ++i) field[i] = DtmfCodeFromChar(text[i]);
}

std::optional<char> AcceptDtmfKey(char c) {
    if (c >= 'a' && c <= 'd') c = static_cast<char>(c - 'a' + 'A');
    const bool accepted = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
    return accepted ? std::optional<char>(c) : std::nullopt;
}

std::optional<char> AcceptDecimalKey(char c) {
    return c >= '0' && c <= '9' ? std::optional<char>(c) : std::nullopt;
}

int SymbolIndexOfCode(uint8_t code) {
    const std::optional<char> c = DtmfCharFromCode(code);
    if (!c) return -1;
    const std::size_t index = kDtmfSymbolEntries.find(*c);
    return index == std::string_view::npos ? -1 : static_cast<int>(index);
}

std::string SymbolText(int index) {
    if (index < 0 || index >= static_cast<int>(kDtmfSymbolEntries.size())) return {};
    return std::string(1, kDtmfSymbolEntries[static_cast<std::size_t>(index)]);
}

int64_t EditNumber(std::string_view text) { return ScanInt(text).value_or(0); }

std::string ClampedNumberText(std::string_view text, int64_t low, int64_t high) {
    return std::to_string(std::clamp(EditNumber(text), low, high));
}

int64_t WrapStep(int64_t next, int step, int64_t low, int64_t high) {
    if (next >= low && next <= high) return next;
    return step > 0 ? low : high;
}

} // namespace tarsel
