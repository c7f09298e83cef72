// The single channel window's rules: load and store of a record, the checks, the moves.
#include "core/editors/channelform.h"
#include "core/editors/channeloptions.h"
#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/datafile.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::PutBytes;
using test::PutChannel;
using test::Record;

const CBandLimits kLimits;

TEST(ChannelForm, AnEmptyChannelGetsDefaultsWhenTypedAndIsClearedWhenEmptied) {
    CMemoryImage image = test::RandomImage(3);
    image[RecordOffset(7) + 3] = 0xFF;
    CChannelForm form = LoadChannel(image, 7);
    EXPECT_EQ(form.label, "A007");
    EXPECT_TRUE(form.rx.empty());
    EXPECT_FALSE(form.enabled);
    EXPECT_EQ(form.options[0], -1);
    form.rx = "145.5";
    CheckReceive(form, kLimits);
    const CChannelForm created{7,  "A007", "145.50000", "145.50000", "无", "无", "",
                               {1, 0, 0, 0, 0, 0, 1, 0, 0}, true, "145.50000", ""};
    EXPECT_EQ(form, created);
    StoreChannel(form, image);
    EXPECT_EQ(image[RecordOffset(7) + 13], 0x30);

    form.rx.clear();
    CheckReceive(form, kLimits);
    EXPECT_FALSE(form.enabled);
    StoreChannel(form, image);
    CMemoryImage expected = image;
    WriteDefaultRecord(expected, 7);
    EXPECT_EQ(Record(image, 7), Record(expected, 7));
}

TEST(ChannelForm, LoadShowsEveryField) {
    CMemoryImage image = BuildDefaultImage();
    PutChannel(image, 130, 43912500, 43412500);
    const std::size_t base = RecordOffset(130);
    PutBytes(image, base + 8, {0x85, 0x08, 0x54, 0xC7});
    image[base + 12] = 0x9 << 4 | 2 << 2 | 1; // scrambler 8, talk-around, DTMF
    image[base + 13] = 0xC0 | 0x03;           // busy lock bits 11, PTT ID both, low, narrow
    PutBytes(image, base + 24, {'C', 'H', '1', 0x00, 'X', 'X', 'X'});
    // Options: power, scan, signalling, busy lock (11 falls back to 关), PTT ID, VOX, bandwidth,
    // voice, repeater.
    const CChannelForm shown{130,    "B002",      "439.12500", "434.12500",
                             "88.5", "D754I",     "CH1",       {0, 0, 1, 0, 3, 0, 0, 9, 2},
                             true,   "439.12500", ""};
    EXPECT_EQ(LoadChannel(image, 130), shown);
    // A 00 top byte is not empty here; a zero transmit top byte shows no transmit frequency.
    image[base + 3] = 0x00;
    image[base + 7] = 0x00;
    const CChannelForm odd = LoadChannel(image, 130);
    EXPECT_TRUE(odd.enabled);
    EXPECT_EQ(odd.rx, "9.12500");
    EXPECT_EQ(odd.tx, "");
}

TEST(ChannelForm, StoreDerivesTheShiftAndKeepsReservedBytes) {
    const std::tuple<const char*, const char*, uint8_t, int64_t> cases[] = {
        {"145.60000", "145.00000", 1, 60000}, {"145.00000", "145.60000", 2, 60000},
        {"145.00000", "145.00000", 0, 1000000}, {"145.00000", "", 0, 1000000}};
    for (const auto& [rx, tx, direction, offset] : cases) {
        CMemoryImage image = test::RandomImage(5);
        const std::vector<uint8_t> before = Record(image, 3);
        CChannelForm form = LoadChannel(image, 3);
        form.rx = form.committedRx = rx;
        form.tx = tx;
        form.rxTone = "D023N";
        form.txTone = "无";
        form.name = "ABCDEFGHI";
        form.options = {1, 1, 1, 2, 3, 1, 1, 9, 2};
        StoreChannel(form, image);
        const std::size_t base = RecordOffset(3);
        EXPECT_EQ(image[base + 15], direction) << rx << " " << tx;
        EXPECT_EQ(DecodeFrequencyField(image.Field<4>(base + 16)), offset);
        EXPECT_EQ(image[base + 7] == 0xFF, *tx == 0);
        EXPECT_EQ(test::Bytes(image, base + 8, 6),
                  (std::vector<uint8_t>{0x23, 0x80, image[base + 10], 0xFF, 0x99, 0xBF}));
        const auto name = image.Stretch(base + 24, 7);
        EXPECT_EQ(std::string(name.begin(), name.end()), "ABCDEFG");
        for (std::size_t i : {14, 20, 21, 22, 23, 31}) EXPECT_EQ(image[base + i], before[i]);
    }
}

// Every choice of every option survives a store and a load, whatever the others hold.
TEST(ChannelForm, EveryOptionChoiceRoundTrips) {
    const auto& options = ChannelOptions();
    for (std::size_t i = 0; i < options.size(); ++i) {
        for (int pick = 0; pick < static_cast<int>(options[i].entries.size()); ++pick) {
            CChannelOptionSelections selections{};
            for (std::size_t k = 0; k < options.size(); ++k)
                selections[k] = static_cast<int>(options[k].entries.size()) - 1;
            selections[i] = pick;
            CMemoryImage image = BuildDefaultImage();
            WriteChannelOptions(selections, image, 9);
            EXPECT_EQ(ReadChannelOptions(image, 9), selections)
                << options[i].controlId << " " << pick;
        }
    }
}

TEST(ChannelForm, ReceiveCheck) {
    // On the 2.5 kHz raster, down to the nearer lower raster, in no band.
    const std::pair<const char*, const char*> cases[] = {
        {"145.0125", "145.01250"}, {"145.0137", "145.01250"}, {"145.126", "145.12500"},
        {"300", "136.00000"},      {"439.99375", "439.99375"}};
    for (const auto& [typed, shown] : cases) {
        CMemoryImage image = BuildDefaultImage();
        CChannelForm form = LoadChannel(image, 1);
        std::string tone = "23";
        CheckTone(tone, form);
        EXPECT_EQ(tone, "23") << "no tone check on an empty channel";
        form.rx = typed;
        CheckReceive(form, kLimits);
        EXPECT_EQ(form.rx, shown) << typed;
        EXPECT_EQ(form.committedRx, shown);
        CheckTone(tone, form);
        EXPECT_EQ(tone, "D023N");
    }
}

TEST(ChannelForm, VfoKeepsBothFrequenciesInOneBand) {
    CMemoryImage image = BuildDefaultImage();
    PutChannel(image, 257, 14500000, 14500000);
    CChannelForm form = LoadChannel(image, 257);
    form.tx = "435";
    CheckTransmit(form, kLimits);
    EXPECT_EQ(form.tx, "435.00000");
    EXPECT_EQ(form.rx, "435.00000");
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

} // namespace
} // namespace tarsel
