#include "core/image/channeltable.h"

#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/finalise.h"
#include "core/image/frequency.h"
#include "core/image/labels.h"
#include "core/image/tone.h"

namespace tarsel {

namespace {

using namespace map::rec;

constexpr const char* kHigh = "高";
constexpr const char* kLow = "低";
constexpr const char* kYes = "是";
constexpr const char* kNo = "否";
constexpr const char* kWide = "宽";
constexpr const char* kNarrow = "窄";
constexpr const char* kOff = "关";
constexpr const char* kCarrier = "载波";
constexpr const char* kQt = "QT/DQT";

constexpr const char* kPowerEntries[] = {kLow, kHigh};
constexpr const char* kScanEntries[] = {kNo, kYes};
constexpr const char* kBandwidthEntries[] = {kNarrow, kWide};
constexpr const char* kBusyLockEntries[] = {kOff, kCarrier, kQt};

// Columns 3..8 of a row that gets its first receive frequency.
constexpr const char* kNewRowTexts[] = {kNoTone, kNoTone, kHigh, kYes, kWide, kOff};

constexpr int64_t kDefaultShiftOffset = 1000000;
// Above this the offset bytes cannot hold an offset the radio would use (an erased field, say).
constexpr int64_t kLargestShiftOffset = 9999500;

enum EShiftDirection : uint8_t { kNoShift = 0, kShiftDown = 1, kShiftUp = 2 };

const char* BusyLockText(uint8_t flags) {
    switch (flags & kFlagBusyMask) {
    case 0x00:
        return kOff;
    case kFlagBusyCarrier:
        return kCarrier;
    case kFlagBusyQt:
        return kQt;
    default:
        return "";
    }
}

CToneWord ReadTone(const CMemoryImage& image, std::size_t offset) {
    return {image[offset], image[offset + 1]};
}

void WriteTone(CMemoryImage& image, std::size_t offset, std::string_view text) {
    const CToneWord word = EncodeTone(text);
    image[offset] = word.low;
    image[offset + 1] = word.high;
}

void SetBit(uint8_t& byte, uint8_t bit, bool on) {
    byte = static_cast<uint8_t>(on ? (byte | bit) : (byte & ~bit));
}

// Shift direction and offset from the two frequencies. W is the offset the record holds now.
void DeriveShift(int64_t rx, int64_t tx, bool hasTx, const CBandLimits& limits, CMemoryImage& image,
                 std::size_t base) {
    uint8_t& direction = image[base + kShiftDirection];
    const auto offset = image.Field<4>(base + kShiftOffset);
    const EShiftDirection sign = rx - tx > 0 ? kShiftDown : kShiftUp;
    if (!hasTx || tx == rx) {
        direction = kNoShift;
        EncodeFrequencyField(kDefaultShiftOffset, offset);
    } else if (BandOfValue(limits, tx) == -1) {
        if (DecodeFrequencyField(offset) > kLargestShiftOffset) {
            direction = kNoShift;
            EncodeFrequencyField(kDefaultShiftOffset, offset);
            EncodeFrequencyField(rx, image.Field<4>(base + kTxFrequency));
        } else {
            direction = sign; // the offset bytes stay as they are
        }
    } else if (BandOfValue(limits, tx) == BandOfValue(limits, rx)) {
        direction = sign;
        EncodeFrequencyField(rx > tx ? rx - tx : tx - rx, offset);
    } else {
        direction = kNoShift;
        EncodeFrequencyField(kDefaultShiftOffset, offset);
    }
}

} // namespace

const std::array<const char*, kChannelColumns>& ChannelColumnTitles() {
    static constexpr std::array<const char*, kChannelColumns> titles = {
        "接收频率", "发射频率", "哑音解码", "哑音编码", "功率", "扫描", "带宽", "繁忙锁定", "名称"};
    return titles;
}

std::span<const char* const> ChoiceEntries(int column) {
    switch (column) {
    case kColumnPower:
        return kPowerEntries;
    case kColumnScan:
        return kScanEntries;
    case kColumnBandwidth:
        return kBandwidthEntries;
    case kColumnBusyLock:
        return kBusyLockEntries;
    default:
        return {};
    }
}

CChannelRow ChannelRowTexts(const CMemoryImage& image, const CBandLimits& limits, int channel) {
    CChannelRow row;
    const std::size_t base = RecordOffset(channel);
    if (IsEmptyRecord(image, channel)) return row;
    const int64_t rx = ReceiveFrequency(image, channel);
    if (BandOfValue(limits, rx) == -1) return row;
    row[kColumnRx] = FrequencyText(rx);
    const uint8_t txTop = image[base + kTxFrequency + 3];
    if (txTop != 0xFF && txTop != 0x00)
        row[kColumnTx] = FrequencyText(DecodeFrequencyField(image.Field<4>(base + kTxFrequency)));
    row[kColumnRxTone] = ToneText(ReadTone(image, base + kRxTone));
    row[kColumnTxTone] = ToneText(ReadTone(image, base + kTxTone));
    const uint8_t flags = image[base + kFlags];
    row[kColumnPower] = (flags & kFlagHighPower) ? kHigh : kLow;
    row[kColumnScan] = (flags & kFlagScanAdd) ? kYes : kNo;
    row[kColumnBandwidth] = (flags & kFlagWide) ? kWide : kNarrow;
    row[kColumnBusyLock] = BusyLockText(flags);
    row.name = ChannelName(image, channel);
    return row;
}

void FillChannelTable(const CMemoryImage& image, CBandLimits& limits, CChannelTable& table) {
    LoadBandLimits(image, limits);
    for (int channel = 1; channel <= map::kChannelCount; ++channel)
        table.Row(channel) = ChannelRowTexts(image, limits, channel);
}

void ParseChannelRow(const CChannelRow& row, int channel, const CBandLimits& limits,
                     CMemoryImage& image) {
    const std::size_t base = RecordOffset(channel);
    if (row[kColumnRx].empty()) {
        WriteDefaultRecord(image, channel);
        return;
    }
    const int64_t rx = ParseFrequencyText(row[kColumnRx]);
    EncodeFrequencyField(rx, image.Field<4>(base + kRxFrequency));
    const bool hasTx = !row[kColumnTx].empty();
    const int64_t tx = hasTx ? ParseFrequencyText(row[kColumnTx]) : 0;
    if (hasTx)
        EncodeFrequencyField(tx, image.Field<4>(base + kTxFrequency));
    else
        image.Fill(base + kTxFrequency, 4, 0xFF);
    DeriveShift(rx, tx, hasTx, limits, image, base);

    WriteTone(image, base + kRxTone, row[kColumnRxTone]);
    WriteTone(image, base + kTxTone, row[kColumnTxTone]);

    uint8_t& flags = image[base + kFlags];
    SetBit(flags, kFlagHighPower, row[kColumnPower] == kHigh);
    if (row[kColumnScan] == kYes || row[kColumnScan] == kNo)
        SetBit(flags, kFlagScanAdd, row[kColumnScan] == kYes);
    if (row[kColumnBandwidth] == kWide || row[kColumnBandwidth] == kNarrow)
        SetBit(flags, kFlagWide, row[kColumnBandwidth] == kWide);
    flags &= static_cast<uint8_t>(~kFlagBusyMask);
    if (row[kColumnBusyLock] == kCarrier) flags |= kFlagBusyCarrier;
    if (row[kColumnBusyLock] == kQt) flags |= kFlagBusyQt;
}

void ParseChannelTable(const CChannelTable& table, const CBandLimits& limits, int variantEntry,
                       CMemoryImage& image) {
    for (int channel = 1; channel <= map::kChannelCount; ++channel)
        ParseChannelRow(table.Row(channel), channel, limits, image);
    FinaliseImage(image, limits, variantEntry);
}

int EditColumn(const CChannelRow& row, int column) { return row.IsEmpty() ? kColumnRx : column; }

void CommitFrequencyEdit(CChannelRow& row, int channel, int column, std::string_view text,
                         const CBandLimits& limits, CMemoryImage& image) {
    const bool hadRx = !row[kColumnRx].empty();
    const int64_t rxOld = ParseFrequencyText(row[kColumnRx]);
    const int64_t txOld = ParseFrequencyText(row[kColumnTx]);

    int64_t v = ParseFrequencyText(text);
    std::string newText;
    if (v != 0) {
        if (BandOfValue(limits, v) == -1) {
            // With no band configured there is nothing to force the value into: keep it.
            const int band = FirstConfiguredBand(limits);
            if (band != -1) v = limits.low[static_cast<std::size_t>(band)];
        }
        v = SnapOffRaster(v);
        newText = FrequencyText(v);
    }

    if (column == kColumnRx) {
        if (newText.empty()) {
            row = CChannelRow{};
        } else if (!hadRx) {
            row[kColumnRx] = newText;
            row[kColumnTx] = newText;
            for (int c = kColumnRxTone; c <= kColumnBusyLock; ++c)
                row[c] = kNewRowTexts[c - kColumnRxTone];
            row.name.clear();
            WriteDefaultRecord(image, channel);
        } else {
            row[kColumnRx] = newText;
            if (IsVfo(channel) && !SameBand(limits, v, txOld)) row[kColumnTx] = newText;
        }
    } else if (column == kColumnTx) {
        if (!hadRx) {
            row[kColumnTx].clear();
        } else if (!newText.empty()) {
            // An empty or zero entry changes nothing: a transmit frequency cannot be removed
            // here, and on a VFO it must not erase the receive frequency either.
            row[kColumnTx] = newText;
            if (IsVfo(channel) && !SameBand(limits, v, rxOld)) row[kColumnRx] = newText;
        }
    }
}

void CommitToneEdit(CChannelRow& row, int column, std::string_view text) {
    if (row.IsEmpty()) {
        row[column].clear();
        return;
    }
    std::string tone = NormaliseToneText(text);
    row[column] = tone.empty() ? kNoTone : std::move(tone);
}

void CommitChoiceEdit(CChannelRow& row, int column, std::string_view text) {
    if (row.IsEmpty()) {
        row[column].clear();
        return;
    }
    row[column] = std::string(text);
}

void CommitNameEdit(CChannelRow& row, int channel, std::string_view text, CMemoryImage& image) {
    if (row.IsEmpty()) {
        row.name.clear();
        return;
    }
    std::string name;
    for (char c : text)
        if (IsNameChar(c) && name.size() < static_cast<std::size_t>(kNameLength)) name += c;
    WriteChannelName(image, channel, name);
    row.name = std::move(name);
}

void CommitCellEdit(CChannelRow& row, int channel, int column, std::string_view text,
                    const CBandLimits& limits, CMemoryImage& image) {
    if (column <= kColumnTx)
        CommitFrequencyEdit(row, channel, column, text, limits, image);
    else if (column <= kColumnTxTone)
        CommitToneEdit(row, column, text);
    else if (column <= kColumnBusyLock)
        CommitChoiceEdit(row, column, text);
    else
        CommitNameEdit(row, channel, text, image);
}

} // namespace tarsel

namespace tarsel {

void NormaliseThroughTable(CMemoryImage& image, CBandLimits& limits) {
    CChannelTable table;
    FillChannelTable(image, limits, table);
    ParseChannelTable(table, limits, kProgramVariant, image);
}

} // namespace tarsel
