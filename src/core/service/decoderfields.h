// The DTMF decoder window: eleven tuning values of the radio's decoder, each shown in lower-case
// hexadecimal.
#pragma once

#include "core/image/memoryimage.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

struct CDecoderEntry {
    uint8_t header[2]; // rewritten whenever the values are stored; never shown
    const char* caption;
    int editId;
    int spinId;
};

inline constexpr int kDecoderEntryCount = 11;
inline constexpr int kDecoderEntrySize = 4;
inline constexpr int kDecoderMaxChars = 4;
inline constexpr int kDecoderMaximum = 0xFFFF;

// In the order the window shows them; entry k lives at map::kDtmfDecoder + 4k.
inline constexpr std::array<CDecoderEntry, kDecoderEntryCount> kDecoderEntries{{
    {{0x01, 0xC4}, "L_group high threshold", 1239, 1240},
    {{0x00, 0xD5}, "L_group low threshold", 1241, 1242},
    {{0x03, 0xAB}, "H_group high threshold", 1243, 1244},
    {{0x03, 0xAC}, "H_group low threshold", 1245, 1246},
    {{0x01, 0xB2}, "Power clipper level", 1247, 1248},
    {{0x01, 0xB3}, "Power clipper time", 1249, 1250},
    {{0x01, 0xB4}, "Total_P diff DTMF_P threshold", 1259, 1260},
    {{0x01, 0xCB}, "Non-power clipper", 1251, 1252},
    {{0x01, 0xBB}, "Non-power hold time 1", 1253, 1254},
    {{0x01, 0xBC}, "Non-power hold time 2", 1255, 1256},
    {{0x01, 0xC3}, "Twist", 1257, 1258},
}};

// What the eleven edits show.
using CDecoderFields = std::array<std::string, kDecoderEntryCount>;

CDecoderFields LoadDecoderFields(const CMemoryImage& image); // normalised
void NormaliseDecoderFields(CDecoderFields& fields);
// Normalises fields, then writes every header and value.
void StoreDecoderFields(CDecoderFields& fields, CMemoryImage& image);

// On leaving an edit: read as hexadecimal (unreadable counts as 0), clamp, "%x".
std::string NormaliseDecoderValue(std::string_view text);
// One spin step: past either end the value wraps to the far end.
std::string StepDecoderValue(std::string_view text, int step);

// Typing: hexadecimal digits only.
bool IsHexDigit(char c);

} // namespace tarsel
