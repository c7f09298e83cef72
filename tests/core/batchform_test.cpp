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
std::string RxTone(const CMemoryImage& image, int channel) {
    const std::size_t base = RecordOffset(channel);
    return ToneText({image[base + 8], image[base + 9]});
}
std::string TxTone(const CMemoryImage& image, int channel) {
    const std::size_t base = RecordOffset(channel);
    return ToneText({image[base + 10], image[base + 11]});
}
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
    EXPECT_EQ(form.rxStart, "136.00000");
    EXPECT_EQ(form.txStart, "136.00000");
    EXPECT_EQ(form.offset, "0.00000");
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
    EXPECT_EQ(CheckFromChannel("0", "256"), "1");
    EXPECT_EQ(CheckFromChannel("50", "20"), "1");
    EXPECT_EQ(CheckFromChannel("", "20"), "1");
    EXPECT_EQ(CheckFromChannel("300", "999"), "256");
    EXPECT_EQ(CheckFromChannel("12", "20"), "12");
    EXPECT_EQ(CheckToChannel("1", "0"), "256");
    EXPECT_EQ(CheckToChannel("30", "20"), "256");
    EXPECT_EQ(CheckToChannel("1", "999"), "256");
    EXPECT_EQ(CheckToChannel("1", "20"), "20");

    EXPECT_EQ(CheckStartFrequency("", "145.00000", kLimits), "145.00000");
    EXPECT_EQ(CheckStartFrequency("300", "", kLimits), "136.00000");
    EXPECT_EQ(CheckStartFrequency("145.012", "", kLimits), "145.01250"); // 1200 -> 1250
    EXPECT_EQ(CheckStartFrequency("145.0137", "", kLimits), "145.01250");

    const std::pair<const char*, const char*> typing[] = {
        {"1001", "1000"}, {"", "0"}, {"00", "0"}, {"12.5", "12.5"}, {"0.", "0."}, {"25", "25"}};
    for (const auto& [typed, shown] : typing) EXPECT_EQ(LimitStepWhileTyping(typed), shown);
    const std::pair<const char*, const char*> leaving[] = {
        {"12", "12.5"}, {"6", "6.25"}, {"25", "25"}, {"1000", "1000"}, {"0", "0"}, {"", "0"}};
    for (const auto& [typed, shown] : leaving) EXPECT_EQ(CheckStep(typed), shown) << typed;
    const std::pair<const char*, const char*> intervals[] = {
        {"21", "20"}, {"", "0"}, {"00", "0"}, {"3", "3"}, {"0", "0"}};
    for (const auto& [typed, shown] : intervals) EXPECT_EQ(LimitIntervalWhileTyping(typed), shown);
}

TEST(BatchForm, BBandWalkLeavesEverythingElseAlone) {
    const CMemoryImage before = test::RandomImage(9);
    CMemoryImage image = before;
    CBatchForm form = InitialBatchForm(kLimits);
    form.range = EBatchRange::BBand;
    ApplyBatchEnableRules(form);
    form.rxStart = "400";
    form.rxStep = "25";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Rx(image, 129), 40000000);
    EXPECT_EQ(Rx(image, 130), 40002500);
    EXPECT_EQ(Rx(image, 256), 40000000 + 127 * 2500);
    EXPECT_EQ(Tx(image, 256), Rx(image, 256));
    for (std::size_t i = 0; i < RecordOffset(129); ++i) ASSERT_EQ(image[i], before[i]);
    for (std::size_t i = RecordOffset(257); i < CMemoryImage::kSize; ++i)
        ASSERT_EQ(image[i], before[i]);
    for (int channel = 129; channel <= 256; ++channel)
        for (std::size_t i : {14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 31})
            ASSERT_EQ(image[RecordOffset(channel) + i], before[RecordOffset(channel) + i]);
}

TEST(BatchForm, ReceiveWalkWrapsAtBothBandEnds) {
    struct Case {
        const char* start;
        bool up;
        std::vector<int64_t> expected;
    };
    const Case cases[] = {
        {"173.95", true, {17395000, 17397500, 17400000, 13600000, 13602500}},
        {"136.05", false, {13605000, 13602500, 13600000, 17400000, 17397500}},
        {"100", false, {13600000, 17400000, 17397500, 17395000, 17392500}}, // in no band: A's
    };
    for (const Case& c : cases) {
        CMemoryImage image = BuildDefaultImage();
        CBatchForm form = Over("1", "5");
        form.rxStart = c.start;
        form.rxStep = "25";
        form.rxUp = c.up;
        ApplyBatch(form, kLimits, image, NoRandom);
        for (int channel = 1; channel <= 5; ++channel)
            EXPECT_EQ(Rx(image, channel), c.expected[static_cast<std::size_t>(channel - 1)])
                << c.start << " channel " << channel;
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
    EXPECT_EQ(image[RecordOffset(12) + 12], 0x99);
    EXPECT_EQ(image[RecordOffset(12) + 13], 0xBF);

    form.name = "CH";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Name(image, 5), "CH005\xFF\xFF");
    form.numberName = false;
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Name(image, 5), std::string("CH") + std::string(5, '\xFF'));
}

TEST(BatchForm, ChannelFieldsOutsideTheMemoriesNeverReachAVfo) {
    CMemoryImage image = BuildDefaultImage();
    const CMemoryImage before = image;
    CBatchForm form = Over("0", "999");
    form.rxStart = "145";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Rx(image, 1), 14500000);
    EXPECT_EQ(Rx(image, 256), 14500000);
    for (std::size_t i = RecordOffset(257); i < CMemoryImage::kSize; ++i)
        ASSERT_EQ(image[i], before[i]);
}

} // namespace
} // namespace tarsel
