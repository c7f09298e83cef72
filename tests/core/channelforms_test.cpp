// The channel windows' rules. The single channel window: load and store of a record, the checks,
// the moves. The batch window: the enable rules, the field checks and the batch itself.
#include "core/editors/batchform.h"
#include "core/editors/channelform.h"
#include "core/editors/channeloptions.h"
#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/datafile.h"
#include "core/image/tone.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using namespace test;

const CBandLimits kLimits;

unsigned NoRandom() {
    ADD_FAILURE() << "no random tone was asked for";
    return 0;
}

int64_t Rx(const CMemoryImage& image, int channel) { return ReceiveFrequency(image, channel); }
int64_t Tx(const CMemoryImage& image, int channel) {
    return DecodeFrequencyField(image.Field<4>(RecordOffset(channel) + 4));
}
std::string Tone(const CMemoryImage& image, int channel, int at) { // 8: receive, 10: transmit
    const std::size_t base = RecordOffset(channel) + static_cast<std::size_t>(at);
    return ToneText({image[base], image[base + 1]});
}
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

TEST(ChannelForm, AnEmptyChannelGetsDefaultsWhenTypedAndIsClearedWhenEmptied) {
    CMemoryImage image = RandomImage(3);
    image[RecordOffset(7) + 3] = 0xFF;
    CChannelForm form = LoadChannel(image, 7);
    EXPECT_EQ(std::tuple(form.label, form.rx, form.enabled, form.options[0]),
              std::tuple("A007", "", false, -1));
    std::string tone = "23";
    CheckTone(tone, form);
    EXPECT_EQ(tone, "23") << "no tone check on an empty channel";
    form.rx = "145.5";
    CheckReceive(form, kLimits);
    CheckTone(tone, form);
    EXPECT_EQ(tone, "D023N");
    const CChannelForm created{7,  "A007", "145.50000", "145.50000", "无", "无", "",
                               {1, 0, 0, 0, 0, 0, 1, 0, 0}, true, "145.50000", ""};
    EXPECT_EQ(form, created);
    StoreChannel(form, image);
    EXPECT_EQ(LoadChannel(image, 7).options, created.options);

    form.rx.clear();
    CheckReceive(form, kLimits);
    EXPECT_FALSE(form.enabled);
    StoreChannel(form, image);
    CMemoryImage expected = image;
    WriteDefaultRecord(expected, 7);
    EXPECT_EQ(Record(image, 7), Record(expected, 7));
}

TEST(ChannelForm, LoadShowsEveryFieldAndStoreWritesThemAndTheShift) {
    CMemoryImage image = BuildDefaultImage();
    PutChannel(image, 130, 43912500, 43412500);
    const std::size_t base = RecordOffset(130);
    PutBytes(image, base + 8, {0x85, 0x08, 0x54, 0xC7});
    image[base + 12] = 0x9 << 4 | 2 << 2 | 1; // scrambler 8, talk-around, DTMF
    image[base + 13] = 0xC0 | 0x20 | 0x03;    // busy lock bits 11, wide, low, PTT ID both
    PutBytes(image, base + 24, {'C', 'H', '1', 0x00, 'X', 'X', 'X'});
    // Options: power, scan, signalling, busy lock (11 falls back to 关), PTT ID, VOX, bandwidth,
    // voice, repeater.
    const CChannelForm shown{130,    "B002",      "439.12500", "434.12500",
                             "88.5", "D754I",     "CH1",       {0, 0, 1, 0, 3, 0, 1, 9, 2},
                             true,   "439.12500", ""};
    EXPECT_EQ(LoadChannel(image, 130), shown);
    // A 00 top byte is not empty here; a zero transmit top byte shows no transmit frequency.
    image[base + 3] = 0x00;
    image[base + 7] = 0x00;
    const CChannelForm odd = LoadChannel(image, 130);
    EXPECT_EQ(std::tuple(odd.enabled, odd.rx, odd.tx), std::tuple(true, "9.12500", ""));

    // A store derives the shift and keeps the reserved bytes.
    const std::tuple<const char*, const char*, uint8_t, int64_t> cases[] = {
        {"145.60000", "145.00000", 1, 60000}, {"145.00000", "145.60000", 2, 60000},
        {"145.00000", "145.00000", 0, 1000000}, {"145.00000", "", 0, 1000000}};
    for (const auto& [rx, tx, direction, offset] : cases) {
        CMemoryImage image = RandomImage(5);
        const std::vector<uint8_t> before = Record(image, 3);
        const CChannelForm form{3,           "A003", rx, tx, "D023N", "无", "ABCDEFGHI",
                                {1, 1, 1, 2, 3, 1, 1, 9, 2}, true,   rx,  ""};
        StoreChannel(form, image);
        const std::size_t at = RecordOffset(3);
        EXPECT_EQ(image[at + 15], direction) << rx << " " << tx;
        EXPECT_EQ(DecodeFrequencyField(image.Field<4>(at + 16)), offset);
        EXPECT_EQ(image[at + 7] == 0xFF, *tx == 0);
        EXPECT_EQ(Bytes(image, at + 8, 6),
                  (std::vector<uint8_t>{0x23, 0x80, image[at + 10], 0xFF, 0x99, 0xBF}));
        EXPECT_EQ(Name(image, 3), "ABCDEFG");
        EXPECT_EQ(LoadChannel(image, 3).options, form.options);
        for (std::size_t i : {14, 20, 21, 22, 23, 31}) EXPECT_EQ(image[at + i], before[i]);
    }
}

TEST(ChannelForm, ChecksMoveIntoABandAndAVfoKeepsBothFrequenciesInOne) {
    CMemoryImage image = BuildDefaultImage();
    PutChannel(image, 257, 14500000, 14500000);
    CChannelForm form = LoadChannel(image, 257);
    form.tx = "435";
    CheckTransmit(form, kLimits);
    EXPECT_EQ(form.rx + " " + form.tx, "435.00000 435.00000");
    StoreChannel(form, image); // what is shown is what is stored
    EXPECT_EQ(ReceiveFrequency(image, 257), 43500000);

    form.rx = "146";
    CheckReceive(form, kLimits);
    EXPECT_EQ(form.tx, "146.00000");

    // A memory channel may transmit in the other band.
    PutChannel(image, 1, 14500000, 14500000);
    CChannelForm memory = LoadChannel(image, 1);
    memory.tx = "435";
    CheckTransmit(memory, kLimits);
    EXPECT_EQ(memory.rx, "145.00000");
    // Down onto the raster, and into the A band from outside every band.
    for (const auto& [typed, shown] : {std::pair{"145.0137", "145.01250"}, {"300", "136.00000"}}) {
        memory.rx = typed;
        CheckReceive(memory, kLimits);
        EXPECT_EQ(memory.rx + " " + memory.committedRx, std::string(shown) + " " + shown);
    }

    // An emptied transmit field gets back what it held when it got the focus.
    memory.savedTx = "145.60000";
    memory.tx.clear();
    CheckTransmit(memory, kLimits);
    EXPECT_EQ(memory.tx, "145.60000");
}

TEST(ChannelForm, Moves) {
    // From, typed (nullptr: a spin click of step), to.
    const std::tuple<int, const char*, int, int, const char*> cases[] = {
        {257, nullptr, 1, 258, "B VFO"}, {258, nullptr, 1, 1, "A001"},
        {1, nullptr, -1, 258, "B VFO"},  {1, "257", 0, 257, "A VFO"},
        {1, "300", 0, 258, "B VFO"},     {5, "xyz", 0, 1, "A001"}};
    for (const auto& [from, typed, step, to, label] : cases) {
        CMemoryImage image = BuildDefaultImage();
        PutChannel(image, to, 14500000 + to * 2500);
        CChannelForm form = LoadChannel(image, from);
        if (typed) {
            form.label = typed;
            MoveToTypedChannel(form, image);
        } else {
            StepChannel(form, image, step);
        }
        EXPECT_EQ(form.channel, to) << from << " " << (typed ? typed : "spin");
        EXPECT_EQ(form.label, label);
        EXPECT_EQ(form.rx, LoadChannel(image, to).rx);
    }
}

TEST(BatchForm, InitialStateEnableRulesAndFieldChecks) {
    CBatchForm form = InitialBatchForm(kLimits);
    EXPECT_EQ(form.rxStart + " " + form.txStart + " " + form.offset, "136.00000 136.00000 0.00000");
    EXPECT_TRUE(form.offsetAdd) << "the offset is added unless the user chooses otherwise";
    EXPECT_EQ(form.enabled, (CBatchForm::CEnabled{false, false, false, true, false, false}));

    form.range = EBatchRange::ABand;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.from + "-" + form.to, "1-128");
    form.range = EBatchRange::BBand;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.from + "-" + form.to, "129-256");
    form.range = EBatchRange::FromTo;
    form.from = "7";
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.from + "-" + form.to, "7-256"); // left as they were

    form.transmit = EBatchTransmit::Offset;
    form.rxToneRandom = true;
    form.txToneOwn = true;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.enabled, (CBatchForm::CEnabled{true, true, false, false, true, true}));
    form.transmit = EBatchTransmit::OwnStart;
    form.txToneRandom = true;
    ApplyBatchEnableRules(form);
    EXPECT_EQ(form.enabled, (CBatchForm::CEnabled{true, false, true, false, true, false}));

    // From and to as typed, then as each check leaves them.
    const std::tuple<const char*, const char*, const char*, const char*> channels[] = {
        {"0", "256", "1", "256"},     {"50", "20", "1", "256"}, {"1", "0", "1", "256"},
        {"300", "999", "256", "256"}, {"12", "20", "12", "20"}, {"20", "20", "20", "20"}};
    for (const auto& [from, to, checkedFrom, checkedTo] : channels) {
        EXPECT_EQ(CheckFromChannel(from, to), checkedFrom) << from << "-" << to;
        EXPECT_EQ(CheckToChannel(from, to), checkedTo) << from << "-" << to;
    }
    EXPECT_EQ(CheckStartFrequency("", "145.00000", kLimits), "145.00000");
    EXPECT_EQ(CheckStartFrequency("300", "", kLimits), "136.00000");
    EXPECT_EQ(CheckStartFrequency("145.012", "", kLimits), "145.01250"); // 1200 -> 1250

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
// has: the shift and the reserved bytes stay. The receive walk wraps at both band ends.
TEST(BatchForm, AWalkWritesOnlyTheFieldsOfTheChannelsInItsRangeAndWrapsAtTheBandEnds) {
    const CMemoryImage before = RandomImage(9);
    for (const EBatchRange range : {EBatchRange::FromTo, EBatchRange::BBand, EBatchRange::All}) {
        CMemoryImage image = before;
        CBatchForm form = Over("0", "999");
        form.range = range;
        ApplyBatchEnableRules(form);
        form.rxStart = "400";
        form.rxStep = "25";
        ApplyBatch(form, kLimits, image, NoRandom);
        const int first = range == EBatchRange::BBand ? 129 : 1;
        EXPECT_EQ(Rx(image, first), 40000000);
        EXPECT_EQ(Rx(image, 256), 40000000 + (256 - first) * 2500);
        EXPECT_EQ(Tx(image, 256), Rx(image, 256));
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const int channel = static_cast<int>(i / 32) + 1, at = static_cast<int>(i % 32);
            if (channel < first || channel > 256 || (at >= 14 && at < 24) || at == 31)
                ASSERT_EQ(image[i], before[i]) << i;
        }
    }
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

TEST(BatchForm, TransmitRulesToneWalksRandomTonesOptionsAndNames) {
    CMemoryImage image = BuildDefaultImage();
    CBatchForm form = Over("1", "3");
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

    form.rxToneIndex = 1;
    form.rxToneInterval = "3";
    form.rxToneUp = false;
    form.name = "ABCDEFG";
    form.numberName = true;
    form.options = {1, 1, 1, 2, 3, 1, 1, 9, 2};
    ApplyBatch(form, kLimits, image, NoRandom);
    const auto& tones = ToneList();
    EXPECT_EQ(Tone(image, 1, 8), "67.0");
    EXPECT_EQ(Tone(image, 2, 8), tones[263]);
    EXPECT_EQ(Tone(image, 3, 8), tones[260]);
    EXPECT_EQ(Tone(image, 2, 10), tones[263]); // "默认": the decode tone
    EXPECT_EQ(Name(image, 3), "ABCD003");
    EXPECT_EQ(Bytes(image, RecordOffset(3) + 12, 2), (std::vector<uint8_t>{0x99, 0xBF}));

    form.txToneOwn = true;
    form.txToneIndex = 264;
    form.txToneInterval = "2";
    ApplyBatch(form, kLimits, image, NoRandom);
    EXPECT_EQ(Tone(image, 2, 10), tones[1]);

    unsigned next = 0;
    const auto random = [&next] { return next += 100; }; // 100, 200, 300 -> 100, 200, 35
    form.rxToneRandom = true;
    form.txToneOwn = false;
    form.name = "CH";
    form.numberName = false;
    ApplyBatch(form, kLimits, image, random);
    const int expected[] = {100, 200, 35};
    for (int channel = 1; channel <= 3; ++channel) {
        EXPECT_EQ(Tone(image, channel, 8), tones[static_cast<std::size_t>(expected[channel - 1])]);
        EXPECT_EQ(Tone(image, channel, 10), Tone(image, channel, 8));
    }
    EXPECT_EQ(Name(image, 1), std::string("CH") + std::string(5, '\xFF'));
}

} // namespace
} // namespace tarsel
