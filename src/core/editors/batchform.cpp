#include "core/editors/batchform.h"

#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/decimal.h"
#include "core/image/frequency.h"
#include "core/image/scan.h"
#include "core/image/tone.h"

#include <algorithm>
#include <cstdio>

namespace tarsel {

namespace {

using namespace map::rec;

constexpr int kMemoryChannels = 2 * map::kMemoriesPerBand; // 256
constexpr int64_t kLargestStep = 1000;                     // kHz
constexpr int64_t kLargestInterval = 20;
constexpr int kNumberedNameStem = 4;

int64_t WholeNumber(std::string_view text) { return ScanInt(text).value_or(0); }

struct CWalk {
    int64_t value;
    int64_t low, high;
};

// The start value and its band; a start in no band (the limits changed while the window was open)
// starts at the A band's lower limit.
CWalk StartWalk(std::string_view text, const CBandLimits& limits) {
    const int64_t value = ParseFrequencyText(text);
    const int band = BandOfValue(limits, value);
    if (band == -1) return {limits.low[0], limits.low[0], limits.high[0]};
    return {value, limits.low[static_cast<std::size_t>(band)],
            limits.high[static_cast<std::size_t>(band)]};
}

// Past either end of the band the walk goes on from the other end.
void Step(CWalk& walk, int64_t step, int direction) {
    walk.value += direction * step;
    if (walk.value < walk.low || walk.value > walk.high)
        walk.value = direction > 0 ? walk.low : walk.high;
    else
        walk.value = SnapToChannelRaster(walk.value);
}

void WriteTone(CMemoryImage& image, std::size_t offset, int index) {
    const CToneWord word = EncodeTone(ToneList()[static_cast<std::size_t>(index)]);
    image[offset] = word.low;
    image[offset + 1] = word.high;
}

int NextTone(int index, int direction, int interval) {
    return ((index + direction * interval) % kToneListSize + kToneListSize) % kToneListSize;
}

std::string Name(const CBatchForm& form, int channel) {
    if (!form.numberName) return form.name;
    char number[16];
    std::snprintf(number, sizeof number, "%03d", channel);
    return form.name.substr(0, kNumberedNameStem) + number;
}

} // namespace

CBatchForm InitialBatchForm(const CBandLimits& limits) {
    CBatchForm form;
    form.rxStart = form.txStart = FrequencyText(limits.low[0]);
    form.offset = FrequencyText(0);
    ApplyBatchEnableRules(form);
    return form;
}

void ApplyBatchEnableRules(CBatchForm& form) {
    switch (form.range) {
    case EBatchRange::All:
        form.from = "1", form.to = "256";
        break;
    case EBatchRange::ABand:
        form.from = "1", form.to = "128";
        break;
    case EBatchRange::BBand:
        form.from = "129", form.to = "256";
        break;
    case EBatchRange::FromTo:
        break;
    }
    form.enabled.fromTo = form.range == EBatchRange::FromTo;
    form.enabled.offset = form.transmit == EBatchTransmit::Offset;
    form.enabled.txStart = form.transmit == EBatchTransmit::OwnStart;
    form.enabled.rxTone = !form.rxToneRandom;
    form.enabled.txToneRandom = form.txToneOwn;
    form.enabled.txTone = form.txToneOwn && !form.txToneRandom;
}

std::string CheckFromChannel(std::string_view from, std::string_view to) {
    const int64_t f = WholeNumber(from);
    if (f < 1 || f > WholeNumber(to)) return "1";
    if (f > kMemoryChannels) return std::to_string(kMemoryChannels);
    return std::to_string(f);
}

std::string CheckToChannel(std::string_view from, std::string_view to) {
    const int64_t t = WholeNumber(to);
    if (t < 1 || t < WholeNumber(from) || t > kMemoryChannels)
        return std::to_string(kMemoryChannels);
    return std::to_string(t);
}

std::string CheckStartFrequency(std::string_view text, std::string_view savedText,
                                const CBandLimits& limits) {
    if (text.empty()) return std::string(savedText);
    int64_t f = ParseFrequencyText(text);
    if (BandOfValue(limits, f) == -1) f = limits.low[0];
    return FrequencyText(SnapToChannelRaster(f));
}

std::string LimitStepWhileTyping(std::string_view text) {
    const int64_t whole = WholeNumber(text);
    if (whole > kLargestStep) return std::to_string(kLargestStep);
    if (whole == 0 && text != "0" && !text.starts_with("0.") && !text.starts_with(".")) return "0";
    return std::string(text);
}

std::string CheckStep(std::string_view text) {
    const int64_t step = SnapToChannelRaster(ScaleText(text, 2));
    char shown[32];
    std::snprintf(shown, sizeof shown, "%G", static_cast<double>(step) / 100);
    return shown;
}

std::string LimitIntervalWhileTyping(std::string_view text) {
    const int64_t interval = WholeNumber(text);
    if (interval > kLargestInterval) return std::to_string(kLargestInterval);
    if (interval <= 0 && text != "0") return "0";
    return std::string(text);
}

void ApplyBatch(const CBatchForm& form, const CBandLimits& limits, CMemoryImage& image,
                const std::function<unsigned()>& random) {
    int from = 1, to = kMemoryChannels;
    if (form.range != EBatchRange::All) {
        // Never outside the memories, whatever the fields hold: a VFO or a record before the
        // table must not be written.
        from = static_cast<int>(std::clamp<int64_t>(WholeNumber(form.from), 1, kMemoryChannels));
        to = static_cast<int>(std::clamp<int64_t>(WholeNumber(form.to), 1, kMemoryChannels));
    }
    CWalk rx = StartWalk(form.rxStart, limits);
    const int64_t rxStep = ScaleText(form.rxStep, 2);
    const int rxDirection = form.rxUp ? 1 : -1;
    const int64_t offset = ParseFrequencyText(form.offset);
    const int offsetSign = form.offsetAdd ? 1 : -1;
    CWalk tx = StartWalk(form.txStart, limits);
    const int64_t txStep = ScaleText(form.txStep, 2);
    const int txDirection = form.txUp ? 1 : -1;
    int rxTone = std::clamp(form.rxToneIndex, 0, kToneListSize - 1);
    const int rxInterval = static_cast<int>(WholeNumber(form.rxToneInterval));
    const int rxToneDirection = form.rxToneUp ? 1 : -1;
    int txTone = std::clamp(form.txToneIndex, 0, kToneListSize - 1);
    const int txInterval = static_cast<int>(WholeNumber(form.txToneInterval));
    const int txToneDirection = form.txToneUp ? 1 : -1;
    const auto draw = [&random] { return static_cast<int>(random() % kToneListSize); };

    for (int channel = from; channel <= to; ++channel) {
        const std::size_t base = RecordOffset(channel);
        EncodeFrequencyField(rx.value, image.Field<4>(base + kRxFrequency));
        int64_t transmit = rx.value;
        if (form.transmit == EBatchTransmit::Offset) {
            transmit = rx.value + offsetSign * offset;
            if (transmit < tx.low || transmit > tx.high)
                transmit = offsetSign > 0 ? tx.low : tx.high;
        } else if (form.transmit == EBatchTransmit::OwnStart) {
            transmit = tx.value;
        }
        EncodeFrequencyField(transmit, image.Field<4>(base + kTxFrequency));

        if (form.rxToneRandom) rxTone = draw();
        WriteTone(image, base + kRxTone, rxTone);
        if (!form.txToneOwn)
            txTone = rxTone;
        else if (form.txToneRandom)
            txTone = draw();
        WriteTone(image, base + kTxTone, txTone);

        WriteChannelOptions(form.options, image, channel);
        WriteChannelName(image, channel, Name(form, channel));

        Step(rx, rxStep, rxDirection);
        if (form.transmit == EBatchTransmit::OwnStart) Step(tx, txStep, txDirection);
        if (!form.rxToneRandom) rxTone = NextTone(rxTone, rxToneDirection, rxInterval);
        if (form.txToneOwn && !form.txToneRandom)
            txTone = NextTone(txTone, txToneDirection, txInterval);
    }
}

} // namespace tarsel
