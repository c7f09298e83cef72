#include "core/image/tone.h"

#include "core/image/bcd.h"
#include "core/image/decimal.h"
#include "core/image/scan.h"

#include <cstdio>

namespace tarsel {

namespace {

constexpr const char* kCtcssTones[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

constexpr int kDcsCodes[] = {
    17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,  73,  74,
    114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205,
    212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306,
    311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432,
    445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606,
    612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

static_assert(1 + std::size(kCtcssTones) + 2 * std::size(kDcsCodes) == kToneListSize);

constexpr int kDcsNormal = 0x80;
constexpr int kDcsInverted = 0xC0;
constexpr int kMaxDcsCode = 777;
constexpr int kMinCtcssTenths = 600;
constexpr int kMaxCtcssTenths = 2800;

std::string DcsText(int code, char polarity) {
    char text[24];
    std::snprintf(text, sizeof text, "D%03d%c", code, polarity);
    return text;
}

bool Contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

std::string CtcssText(int64_t tenths) { return FormatScaled(tenths, 1); }

} // namespace

const std::array<std::string, kToneListSize>& ToneList() {
    static const auto list = [] {
        std::array<std::string, kToneListSize> texts;
        std::size_t i = 0;
        texts[i++] = kNoTone;
        for (const char* tone : kCtcssTones) texts[i++] = tone;
        for (int code : kDcsCodes) texts[i++] = DcsText(code, 'N');
        for (int code : kDcsCodes) texts[i++] = DcsText(code, 'I');
        return texts;
    }();
    return list;
}

std::string ToneText(CToneWord word) {
    const int high = word.high;
    if (high == 0xFF) return kNoTone;
    if (high < kDcsNormal) return CtcssText(FromBcd(word.high) * 100 + FromBcd(word.low));
    const bool inverted = high >= kDcsInverted;
    const int hundreds = high - (inverted ? kDcsInverted : kDcsNormal);
    const int code = hundreds * 100 + FromBcd(word.low);
    // "D0" + "%d" is how the radio's texts come out: D023N, and D5N for a code of 5.
    return std::string(hundreds == 0 ? "D0" : "D") + std::to_string(code) + (inverted ? "I" : "N");
}

CToneWord EncodeTone(std::string_view text) {
    if (text.empty()) return {};
    if (Contains(text, 'D')) {
        const int64_t code = ScanInt(text.substr(1)).value_or(0);
        const int64_t high = code / 100 + (Contains(text, 'N') ? kDcsNormal : kDcsInverted);
        return {ToBcd(code % 100), static_cast<uint8_t>(high)};
    }
    if (text == kNoTone) return {};
    const int64_t tenths = ScaleText(text, 1);
    return {ToBcd(tenths % 100), ToBcd((tenths / 100) % 100)};
}

std::string NormaliseToneText(std::string_view text) {
    if (text.empty()) return {};
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

    if (Contains(upper, '.')) {
        const int64_t tenths = ScaleText(upper, 1);
        if (tenths < kMinCtcssTenths || tenths > kMaxCtcssTenths) return kNoTone;
        return upper;
    }
    static constexpr const char* kPatterns[] = {"D%d", "DN%d", "DI%d", "ND%d", "ID%d",
                                                "N%d", "I%d",  "%dN",  "%dD",  "%dI"};
    for (const char* pattern : kPatterns) {
        const auto code = ScanPattern(upper, pattern);
        if (!code) continue;
        if (*code > kMaxDcsCode || *code <= 0) return kNoTone;
        return DcsText(static_cast<int>(*code), Contains(upper, 'I') ? 'I' : 'N');
    }
    const int64_t tenths = ScaleText(upper, 1);
    if (tenths < kMinCtcssTenths || tenths > kMaxCtcssTenths) return kNoTone;
    return CtcssText(tenths);
}

} // namespace tarsel
