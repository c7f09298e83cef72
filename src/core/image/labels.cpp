#include "core/image/labels.h"

#include "core/image/memorymap.h"
#include "core/image/scan.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace tarsel {

namespace {

std::string Numbered(const char* format, int number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

int ClampedChannel(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

std::string ChannelLabel(int channel) {
    if (channel >= 1 && channel <= map::kMemoriesPerBand) return Numbered("A%03d", channel);
    if (channel > map::kMemoriesPerBand && channel <= 2 * map::kMemoriesPerBand)
        return Numbered("B%03d", channel - map::kMemoriesPerBand);
    if (channel == map::kAVfo) return "A VFO";
    if (channel == map::kBVfo) return "B VFO";
    return {};
}

int ChannelFromLabel(std::string_view text) {
    // The letters are read without regard to case: the channel dialog lets "a" and "b" be typed.
    const std::string upper = Upper(text);
    if (const auto n = ScanPattern(upper, "A%d")) return ClampedChannel(*n);
    if (const auto n = ScanPattern(upper, "B%d")) return ClampedChannel(*n + map::kMemoriesPerBand);
    if (const auto n = ScanPattern(upper, "%d")) return ClampedChannel(*n);
    if (upper == "A VFO") return map::kAVfo;
    if (upper == "B VFO") return map::kBVfo;
    return 0;
}

std::string GridLabel(int channel) {
    if (channel >= 1 && channel <= map::kMemoriesPerBand) return Numbered("A %03d", channel);
    if (channel > map::kMemoriesPerBand && channel <= 2 * map::kMemoriesPerBand)
        return Numbered("B %03d", channel - map::kMemoriesPerBand);
    return ChannelLabel(channel);
}

int BandOfChannel(int channel) {
    if ((channel >= 1 && channel <= map::kMemoriesPerBand) || channel == map::kAVfo) return 0;
    if ((channel > map::kMemoriesPerBand && channel <= 2 * map::kMemoriesPerBand) ||
        channel == map::kBVfo)
        return 1;
    return -1;
}

} // namespace tarsel
