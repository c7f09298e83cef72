// The batch channel window's rules: the enable rules, the field checks and the batch itself.
#include "core/editors/batchform.h"
#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/datafile.h"
#include "core/image/tone.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

const CBandLimits kLimits;

unsigned NoRandom() {
    ADD_FAILURE() << "no random tone was asked for";
    return 0;
}

int64_t Rx(const CMemoryImage& image, int channel) { return ReceiveFrequency(image, channel); }
int64_t Tx(const CMemoryImage& image, int channel) {
    return DecodeFrequencyField(image.Field<4>(RecordOffset(channel) + 4));
}
std::string Tone(const CMemoryImage& image, int channel, int at) {
    const std::size_t base = RecordOffset(channel) + static_cast<std::size_t>(at);
    return ToneText({image[base], image[base + 1]});
}
std::string RxTone(const CMemoryImage& image, int channel) { return Tone(image, channel, 8); }
std::string TxTone(const CMemoryImage& image, int channel) { return Tone(image, channel, 10); }
// The initial form over channels from..to.
CBatchForm Over(const char* from, const char* to) {
    CBatchForm form = InitialBatchForm(kLimits);
    form.range = EBatchRange::FromTo;
    form.from = from;
    form.to = to;
    return form;
}
std::string Name(const CMemoryImage& image, int channel) {
    const auto bytes = image.Stretch(RecordOffset(channel) + 24, 7);
    return {bytes.begin(), bytes.end()};
}

TEST(BatchForm, InitialStateAndEnableRules) {
    CBatchForm form = InitialBatchForm(kLimits);
    EXPECT_EQ(form.rxStart + " " + form.txStart + " " + form.offset, "136.00000 136.00000 0.00000");
    EXPECT_TRUE(form.offsetAdd) << "the offset is added unless the user chooses otherwise";
    EXPECT_EQ(form.enabled, (CBatchForm::CEnabled{false, false, false, true, false, false}));

    form.range = EBatchRange::BBand;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.from + "-" + form.to, "129-256");
    form.range = EBatchRange::FromTo;
    form.from = "7";
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.from + "-" + form.to, "7-256"); // left as they were
    EXPECT_TRUE(form.enabled.fromTo);

    form.transmit = EBatchTransmit::Offset;
    form.rxToneRandom = true;
    form.txToneOwn = true;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.enabled, (CBatchForm::CEnabled{true, true, false, false, true, true}));
    form.transmit = EBatchTransmit::OwnStart;
    form.txToneRandom = true;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.enabled, (CBatchForm::CEnabled{true, false, true, false, true, false}));
}

TEST(BatchForm, FieldChecks) {
    // From and to as typed, then as each check leaves them.
    const std::tuple<const char*, const char*, const char*, const char*> channels[] = {
        {"0", "256", "1", "256"},     {"50", "20", "1", "256"}, {"", "20", "1", "20"},
        {"300", "999", "256", "256"}, {"12", "20", "12", "20"}, {"1", "0", "1", "256"},
        {"20", "20", "20", "20"}};
    for (const auto& [from, to, checkedFrom, checkedTo] : channels) {
        EXPECT_EQ(CheckFromChannel(from, to), checkedFrom) << from << "-" << to;
        EXPECT_EQ(CheckToChannel(from, to), checkedTo) << from << "-" << to;
    }
    EXPECT_EQ(CheckStartFrequency("", "145.00000", kLimits), "145.00000");
    EXPECT_EQ(CheckStartFrequency("300", "", kLimits), "136.00000");
    EXPECT_EQ(CheckStartFrequency("145.012", "", kLimits), "145.01250"); // 1200 -> 1250
    EXPECT_EQ(CheckStartFrequency("145.0137", "", kLimits), "145.01250");

    using Pairs = std::vector<std::pair<const char*, const char*>>;
    const std::pair<std::string (*)(std::string_view), Pairs> rules[] = {
        {LimitStepWhileTyping,
         {{"1001", "1000"}, {"", "0"}, {"00", "0"}, {"12.5", "12.5"}, {"0.", "0."}, {"25", "25"}}},
        {CheckStep, {{"12", "12.5"}, {"6", "6.25"}, {"25", "25"}, {"1000", "1000"}, {"", "0"}}},
        {LimitIntervalWhileTyping, {{"21", "20"}, {"", "0"}, {"00", "0"}, {"3", "3"}, {"0", "0"}}}};
    for (const auto& [rule, cases] : rules)
        for (const auto& [typed, shown] : cases) EXPECT_EQ(rule(typed), shown) << typed;
}

// Whatever the channel fields hold, only memories are written, and only the fields the window
// has: the shift and the reserved bytes stay.
TEST(BatchForm, AWalkWritesOnlyTheFieldsOfTheChannelsInItsRange) {
    const CMemoryImage before = test::RandomImage(9);
    for (const EBatchRange range : {EBatchRange::FromTo, EBatchRange::BBand}) {
        CMemoryImage image = before;
        CBatchForm form = Over("0", "999");
        form.range = range;
        ApplyBatchEnableRules(form);
        form.rxStart = "400";
        form.rxStep = "25";
        ApplyBatch(form, kLimits, image, NoRandom);
        const int first = range == EBatchRange::BBand ? 129 : 1;
        EXPECT_EQ(Rx(image, first), 40000000);
        EXPECT_EQ(Rx(image, first + 1), 40002500);
        EXPECT_EQ(Rx(image, 256), 40000000 + (256 - first) * 2500);
        EXPECT_EQ(Tx(image, 256), Rx(image, 256));
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const int channel = static_cast<int>(i / 32) + 1, at = static_cast<int>(i % 32);
            if (channel < first || channel > 256 || (at >= 14 && at < 24) || at == 31)
                ASSERT_EQ(image[i], before[i]) << i;
        }
    }
}

TEST(BatchForm, ReceiveWalkWrapsAtBothBandEnds) {
    const std::tuple<const char*, bool, std::vector<int64_t>> cases[] = {
        {"173.95", true, {17395000, 17397500, 17400000, 13600000, 13602500}},
        {"136.05", false, {13605000, 13602500, 13600000, 17400000, 17397500}},
        {"100", false, {13600000, 17400000, 17397500, 17395000, 17392500}}, // in no band: A's
    };
    for (const auto& [start, up, expected] : cases) {
        CMemoryImage image = BuildDefaultImage();
        CBatchForm form = Over("1", "5");
        form.rxStart = start;
        form.rxStep = "25";
        form.rxUp = up;
        ApplyBatch(form, kLimits, image, NoRandom);
        for (int channel = 1; channel <= 5; ++channel)
            EXPECT_EQ(Rx(image, channel), expected[static_cast<std::size_t>(channel - 1)])
                << start << " channel " << channel;
        EXPECT_TRUE(IsEmptyRecord(image, 6));
    }
}

TEST(BatchForm, TransmitRules) {
    CMemoryImage image = BuildDefaultImage();
    CBatchForm form = InitialBatchForm(kLimits);
    form.range = EBatchRange::ABand;
    ApplyBatchEnableRules(form);
    form.transmit = EBatchTransmit::Offset;
    form.offset = "5.00000";
    form.offsetAdd = false;
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Tx(image, 1), 17400000); // 131 MHz is below the A band: its upper end

    form.rxStart = "145";
    form.offsetAdd = true;
    form.offset = "0.6";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Tx(image, 1), 14560000);

    form.transmit = EBatchTransmit::OwnStart;
    form.txStart = "440";
    form.txStep = "12.5";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Tx(image, 1), 44000000);
    EXPECT_EQ(Tx(image, 3), 44002500);
    EXPECT_EQ(Rx(image, 3), 14500000); // step 0: every channel the same
}

TEST(BatchForm, ToneWalksAndRandomTones) {
    CMemoryImage image = BuildDefaultImage();
    CBatchForm form = Over("1", "3");
    form.rxToneIndex = 1;
    form.rxToneInterval = "3";
    form.rxToneUp = false;
    ApplyBatch(form, kLimits, image, NoRandom);
    const auto& tones = ToneList();
    EXPECT_EQ(RxTone(image, 1), "67.0");
    EXPECT_EQ(RxTone(image, 2), tones[263]);
    EXPECT_EQ(RxTone(image, 3), tones[260]);
    EXPECT_EQ(TxTone(image, 2), tones[263]); // "默认": the decode tone

    form.txToneOwn = true;
    form.txToneIndex = 264;
    form.txToneInterval = "2";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(TxTone(image, 2), tones[1]);

    unsigned next = 0;
    const auto random = [&next] { return next += 100; }; // 100, 200, 300 -> 100, 200, 35
    form.rxToneRandom = true;
    form.txToneOwn = false;
    ApplyBatch(form, kLimits, image, random);
    const int expected[] = {100, 200, 35};
    for (int channel = 1; channel <= 3; ++channel) {
        EXPECT_EQ(RxTone(image, channel), tones[static_cast<std::size_t>(expected[channel - 1])]);
        EXPECT_EQ(TxTone(image, channel), RxTone(image, channel));
    }
}

TEST(BatchForm, OptionsAndNames) {
    CMemoryImage image = BuildDefaultImage();
    CBatchForm form = Over("5", "12");
    form.name = "ABCDEFG";
    form.numberName = true;
    form.options = {1, 1, 1, 2, 3, 1, 1, 9, 2};
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Name(image, 12), "ABCD012");
    EXPECT_EQ(test::Bytes(image, RecordOffset(12) + 12, 2), (std::vector<uint8_t>{0x99, 0xBF}));
    form.name = "CH";
    form.numberName = false;
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Name(image, 5), std::string("CH") + std::string(5, '\xFF'));
}

} // namespace
} // namespace tarsel
