#include "core/editors/channeloptions.h"

#include "core/image/channelrecord.h"

namespace tarsel {

namespace {

using map::rec::kFlags;
using map::rec::kSignalling;

constexpr const char* kPower[] = {"低", "高"};
constexpr const char* kScan[] = {"否", "是"};
constexpr const char* kSignallingType[] = {"关", "DTMF"};
constexpr const char* kBusyLock[] = {"关", "载波", "QT/DQT"};
constexpr const char* kPttId[] = {"关", "发射开始", "发射结束", "两者"};
constexpr const char* kVox[] = {"关", "开"};
constexpr const char* kBandwidth[] = {"窄", "宽"};
constexpr const char* kVoice[] = {"关",    "压扩",  "扰频1", "扰频2", "扰频3",
                                  "扰频4", "扰频5", "扰频6", "扰频7", "扰频8"};
constexpr const char* kRepeater[] = {"关", "倒频", "脱网"};

constexpr std::array<CChannelOption, kChannelOptionCount> kOptions{{
    {1146, "功率", kFlags, 4, 1, kPower, 1, 1},
    {1149, "扫描", kFlags, 3, 1, kScan, 1, 0},
    {1151, "信令类型", kSignalling, 0, 2, kSignallingType, 0, 0},
    {1150, "繁忙锁定", kFlags, 6, 2, kBusyLock, 0, 0},
    {1153, "PTT ID", kFlags, 0, 2, kPttId, 0, 0},
    {1152, "声控", kFlags, 2, 1, kVox, 0, 0},
    {1148, "带宽", kFlags, 5, 1, kBandwidth, 1, 1},
    {1154, "语音处理", kSignalling, 4, 4, kVoice, 0, 0},
    {1155, "中继模式", kSignalling, 2, 2, kRepeater, 0, 0},
}};

} // namespace

const std::array<CChannelOption, kChannelOptionCount>& ChannelOptions() { return kOptions; }

int ChannelOptionIndex(int controlId) {
    for (std::size_t i = 0; i < kOptions.size(); ++i)
        if (kOptions[i].controlId == controlId) return static_cast<int>(i);
    return -1;
}

CChannelOptionSelections ReadChannelOptions(const CMemoryImage& image, int channel) {
    CChannelOptionSelections selections{};
    const std::size_t base = RecordOffset(channel);
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const CChannelOption& option = kOptions[i];
        const int mask = (1 << option.width) - 1;
        const int index = (image[base + option.recordByte] >> option.shift) & mask;
        selections[i] = index < static_cast<int>(option.entries.size()) ? index : option.fallback;
    }
    return selections;
}

void WriteChannelOptions(const CChannelOptionSelections& selections, CMemoryImage& image,
                         int channel) {
    const std::size_t base = RecordOffset(channel);
    // The lists cover every bit of both bytes, so both are rebuilt from nothing.
    image[base + kSignalling] = 0;
    image[base + kFlags] = 0;
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const CChannelOption& option = kOptions[i];
        const int mask = (1 << option.width) - 1;
        const int index = selections[i] < 0 ? 0 : selections[i];
        image[base + option.recordByte] |= static_cast<uint8_t>((index & mask) << option.shift);
    }
}

} // namespace tarsel
