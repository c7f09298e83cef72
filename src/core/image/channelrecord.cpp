#include "core/image/channelrecord.h"

#include "core/image/bcd.h"

#include <algorithm>

namespace tarsel {

namespace {

constexpr uint8_t kDefaultFlags =
    map::rec::kFlagScanAdd | map::rec::kFlagHighPower | map::rec::kFlagWide; // 0x38
constexpr int64_t kDefaultShiftOffset = 1000000;                             // 10 MHz

} // namespace

void WriteDefaultRecord(CMemoryImage& image, int channel) {
    const std::size_t base = RecordOffset(channel);
    image.Fill(base, map::kChannelRecordSize, 0xFF);
    image[base + map::rec::kSignalling] = 0x00;
    image[base + map::rec::kFlags] = kDefaultFlags;
    image[base + map::rec::kShiftDirection] = 0x00;
    EncodeFrequencyField(kDefaultShiftOffset, image.Field<4>(base + map::rec::kShiftOffset));
    image[base + map::rec::kReserved20] = 0x00;
    image[base + map::rec::kReserved21] = 0x00;
}

bool IsEmptyRecord(const CMemoryImage& image, int channel) {
    const uint8_t top = image[RecordOffset(channel) + map::rec::kRxFrequency + 3];
    return top == 0xFF || top == 0x00;
}

int64_t ReceiveFrequency(const CMemoryImage& image, int channel) {
    return DecodeFrequencyField(image.Field<4>(RecordOffset(channel) + map::rec::kRxFrequency));
}

std::string ChannelName(const CMemoryImage& image, int channel) {
    std::string name;
    for (uint8_t c : image.Field<map::rec::kNameLength>(RecordOffset(channel) + map::rec::kName)) {
        if (!IsNameChar(static_cast<char>(c))) break;
        name += static_cast<char>(c);
    }
    return name;
}

void WriteChannelName(CMemoryImage& image, int channel, std::string_view name) {
    const std::size_t base = RecordOffset(channel) + map::rec::kName;
    image.Fill(base, map::rec::kNameLength, 0xFF);
    const std::size_t length = std::min<std::size_t>(name.size(), map::rec::kNameLength);
    for (std::size_t i = 0; i < length; ++i) image[base + i] = static_cast<uint8_t>(name[i]);
}

} // namespace tarsel
