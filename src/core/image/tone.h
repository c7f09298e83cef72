// The two-byte tone word (CTCSS tone or DCS code with polarity) and its texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

inline constexpr const char* kNoTone = "无";
inline constexpr int kToneListSize = 265;

struct CToneWord {
    uint8_t low = 0xFF;
    uint8_t high = 0xFF;
    friend bool operator==(const CToneWord&, const CToneWord&) = default;
};

// "无", the 50 CTCSS tones, the 107 DCS codes with N, the same with I. A fixed table of texts:
// the stored word always comes from the text, never from the position in this list.
const std::array<std::string, kToneListSize>& ToneList();

// Tone word -> text: "无", "88.5", "D023N", "D754I".
std::string ToneText(CToneWord word);

// Text -> tone word. An empty text means no tone (FF FF), like "无": storing 00 00 would make
// the radio use a 0.0 Hz CTCSS tone.
CToneWord EncodeTone(std::string_view text);

// The correction applied to a typed or picked tone before it is shown: "d23i" -> "D023I",
// "23" -> "D023N", "300.0" -> "无". An empty text stays empty.
std::string NormaliseToneText(std::string_view text);

} // namespace tarsel
