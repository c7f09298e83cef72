#include "core/image/channelrecord.h"

#include "core/image/bcd.h"

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

} // namespace tarsel
