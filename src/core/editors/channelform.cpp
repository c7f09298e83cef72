#include "core/editors/channelform.h"

#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/frequency.h"
#include "core/image/labels.h"
#include "core/image/tone.h"

#include <algorithm>

namespace tarsel {

namespace {

using namespace map::rec;

constexpr int64_t kNoShiftOffset = 1000000;

void Blank(CChannelForm& form) {
    form.rx.clear();
    form.tx.clear();
    form.rxTone.clear();
    form.txTone.clear();
    form.name.clear();
    form.options.fill(-1);
    form.enabled = false;
}

// A frequency forced into a band and onto the raster, as the channel dialog shows it.
std::string CorrectedFrequency(std::string_view text, const CBandLimits& limits) {
    int64_t f = ParseFrequencyText(text);
    if (BandOfValue(limits, f) == -1) f = limits.low[0];
    return FrequencyText(SnapOffRaster(f));
}

void WriteTone(CMemoryImage& image, std::size_t offset, std::string_view text) {
    const CToneWord word = EncodeTone(text);
    image[offset] = word.low;
    image[offset + 1] = word.high;
}

void Load(CChannelForm& form, const CMemoryImage& image, int channel) {
    const std::size_t base = RecordOffset(channel);
    form.channel = channel;
    form.savedTx.clear();
    if (image[base + kRxFrequency + 3] == 0xFF) {
        Blank(form);
    } else {
        form.enabled = true;
        form.rx = FrequencyText(ReceiveFrequency(image, channel));
        const uint8_t txTop = image[base + kTxFrequency + 3];
        form.tx = txTop == 0xFF || txTop == 0x00
                      ? std::string()
                      : FrequencyText(DecodeFrequencyField(image.Field<4>(base + kTxFrequency)));
        form.rxTone = ToneText({image[base + kRxTone], image[base + kRxTone + 1]});
        form.txTone = ToneText({image[base + kTxTone], image[base + kTxTone + 1]});
        form.options = ReadChannelOptions(image, channel);
        form.name = ChannelName(image, channel);
    }
    form.committedRx = form.rx;
}

} // namespace

CChannelForm LoadChannel(const CMemoryImage& image, int channel) {
    CChannelForm form;
    form.label = ChannelLabel(channel);
    Load(form, image, channel);
    return form;
}

void StoreChannel(const CChannelForm& form, CMemoryImage& image) {
    const int channel = form.channel;
    if (form.committedRx.empty()) {
        WriteDefaultRecord(image, channel);
        return;
    }
    const std::size_t base = RecordOffset(channel);
    const int64_t rx = ParseFrequencyText(form.committedRx);
    EncodeFrequencyField(rx, image.Field<4>(base + kRxFrequency));
    int64_t offset = kNoShiftOffset;
    uint8_t direction = 0;
    if (form.tx.empty()) {
        image.Fill(base + kTxFrequency, 4, 0xFF);
    } else {
        const int64_t tx = ParseFrequencyText(form.tx);
        EncodeFrequencyField(tx, image.Field<4>(base + kTxFrequency));
        if (rx != tx) {
            direction = rx > tx ? 1 : 2;
            offset = rx > tx ? rx - tx : tx - rx;
        }
    }
    image[base + kShiftDirection] = direction;
    EncodeFrequencyField(offset, image.Field<4>(base + kShiftOffset));
    WriteTone(image, base + kRxTone, form.rxTone);
    WriteTone(image, base + kTxTone, form.txTone);
    WriteChannelName(image, channel, form.name);
    WriteChannelOptions(form.options, image, channel);
}

void MoveToTypedChannel(CChannelForm& form, CMemoryImage& image) {
    const int typed = ChannelFromLabel(form.label);
    if (typed == form.channel) return;
    StoreChannel(form, image);
    const int channel = std::clamp(typed, 1, map::kChannelCount);
    form.label = ChannelLabel(channel);
    Load(form, image, channel);
}

void StepChannel(CChannelForm& form, CMemoryImage& image, int step) {
    StoreChannel(form, image);
    int channel = ChannelFromLabel(form.label) + step;
    if (channel < 1 || channel > map::kChannelCount) channel = step > 0 ? 1 : map::kChannelCount;
    form.label = ChannelLabel(channel);
    Load(form, image, channel);
}

void CheckReceive(CChannelForm& form, const CBandLimits& limits) {
    if (form.rx.empty()) {
        Blank(form);
        form.committedRx.clear();
        return;
    }
    form.enabled = true;
    form.rx = CorrectedFrequency(form.rx, limits);
    if (form.committedRx.empty()) {
        form.tx = form.rx;
        form.rxTone = form.txTone = kNoTone;
        for (std::size_t i = 0; i < ChannelOptions().size(); ++i)
            form.options[i] = ChannelOptions()[i].newChannel;
    } else if (IsVfo(form.channel) &&
               !SameBand(limits, ParseFrequencyText(form.tx), ParseFrequencyText(form.rx))) {
        // A VFO transmits in the band it receives in.
        form.tx = form.rx;
    }
    form.committedRx = form.rx;
}

void CheckTransmit(CChannelForm& form, const CBandLimits& limits) {
    if (form.rx.empty()) return;
    if (form.tx.empty()) {
        form.tx = form.savedTx;
        return;
    }
    form.tx = CorrectedFrequency(form.tx, limits);
    if (IsVfo(form.channel) &&
        !SameBand(limits, ParseFrequencyText(form.rx), ParseFrequencyText(form.tx))) {
        // The receive text follows, and it is what gets stored: the window never shows one
        // frequency while the record gets another.
        form.rx = form.tx;
        form.committedRx = form.rx;
    }
}

void CheckTone(std::string& tone, const CChannelForm& form) {
    if (!form.rx.empty()) tone = NormaliseToneText(tone);
}

} // namespace tarsel
