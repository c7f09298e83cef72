#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"

#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CFakePort;
using test::CScriptedRadio;
using Bytes = std::vector<uint8_t>;
using EKind = CFakePort::CEvent::EKind;

void RandomMemory(CScriptedRadio& radio, unsigned seed) {
    const CMemoryImage random = test::RandomImage(seed);
    std::copy(random.Bytes().begin(), random.Bytes().end(), radio.memory.begin());
}

using test::InRanges;

// The writes from the first block request on.
std::vector<Bytes> BlockWrites(const CFakePort& port) {
    auto writes = port.Writes();
    const auto first = std::ranges::find_if(
        writes, [](const Bytes& w) { return w.size() == 4 && (w[0] == 'R' || w[0] == 'W'); });
    return {first, writes.end()};
}

TEST(ReadRadioTest, ReadsTheCloneRangesAndFillsBlankLimits) {
    CFakePort port;
    CScriptedRadio radio(port);
    RandomMemory(radio, 1);
    radio.memory[map::kBandALowTopByte] = 0xFF; // blank A pair: filled from the identification
    radio.memory[map::kBandBLowTopByte] = 0x45; // B pair holds limits: kept
    const CMemoryImage before = test::RandomImage(2);
    CMemoryImage image = before;
    std::vector<std::pair<int, int>> steps;

    const auto result =
        ReadRadio(port, "COM1", image, [&](int at, int total) { steps.emplace_back(at, total); });

    ASSERT_TRUE(result.Done()) << DescribeCause(result);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        if (i >= map::kBandALow && i < map::kBandBLow) continue;
        const uint8_t expected = InRanges(i, map::kCloneRanges) ? radio.memory[i] : before[i];
        ASSERT_EQ(image[i], expected) << std::hex << i;
    }
    const Bytes filledA{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17};
    EXPECT_TRUE(std::ranges::equal(image.Stretch(map::kBandALow, 8), filledA));
    ASSERT_EQ(steps.size(), 389u);
    EXPECT_EQ(steps.front(), std::make_pair(1, 389));
    EXPECT_EQ(steps.back(), std::make_pair(389, 389));

    const auto writes = BlockWrites(port);
    EXPECT_EQ(writes[0], (Bytes{'R', 0x00, 0x00, 0x20}));
    EXPECT_EQ(writes[1], Bytes{0x41});
    const std::size_t at3F70 = 2 * 384;
    EXPECT_EQ(writes[at3F70], (Bytes{'R', 0x3F, 0x70, 0x10}));
    EXPECT_EQ(writes[at3F70 + 2], (Bytes{'R', 0x3F, 0x80, 0x20}));
    EXPECT_EQ(writes.back(), (Bytes{'E', 'N', 'D', 'R'}));
    EXPECT_EQ(port.events.back().kind, EKind::Close);
    EXPECT_FALSE(port.IsOpen());
}

TEST(ReadRadioTest, EachBlockIsRequestedAcknowledgedAndPurgedInOrder) {
    CFakePort port;
    CScriptedRadio radio(port);
    CMemoryImage image;
    ASSERT_TRUE(ReadRadio(port, "COM1", image).Done());
    const auto request = std::ranges::find_if(port.events, [](const CFakePort::CEvent& e) {
        return e.kind == EKind::Write && e.bytes.size() == 4 && e.bytes[0] == 'R';
    });
    ASSERT_NE(request, port.events.begin());
    const std::vector<std::pair<EKind, int64_t>> expected{
        {EKind::Purge, 0}, {EKind::Write, 0}, {EKind::Read, 4}, {EKind::Read, 32},
        {EKind::Purge, 0}, {EKind::Write, 0}, {EKind::Read, 1}, {EKind::Purge, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& event = *(request - 1 + static_cast<std::ptrdiff_t>(i));
        EXPECT_EQ(event.kind, expected[i].first) << i;
        if (event.kind == EKind::Read) {
            EXPECT_EQ(event.value, expected[i].second) << i;
        }
    }
}

TEST(WriteRadioTest, SendsHeaderThenDataAndEndsWithEndw) {
    struct Case {
        ETransfer transfer;
        std::size_t blocks;
    } cases[] = {{ETransfer::Write, 389}, {ETransfer::Initialise, 512}};
    for (const Case& c : cases) {
        CFakePort port;
        CScriptedRadio radio(port);
        const CMemoryImage image = test::RandomImage(3);
        const auto result = c.transfer == ETransfer::Write ? WriteRadio(port, "COM1", image)
                                                           : InitialiseRadio(port, "COM1", image);
        ASSERT_TRUE(result.Done()) << DescribeCause(result);
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
            ASSERT_EQ(radio.memory[i], InRanges(i, TransferRanges(c.transfer)) ? image[i] : 0xFF);
        const auto writes = BlockWrites(port);
        ASSERT_EQ(writes.size(), 2 * c.blocks + 1);
        EXPECT_EQ(writes[0], (Bytes{'W', 0x00, 0x00, 0x20}));
        EXPECT_EQ(writes[1], Bytes(image.Bytes().begin(), image.Bytes().begin() + 32));
        EXPECT_EQ(writes.back(), (Bytes{'E', 'N', 'D', 'W'}));
        EXPECT_EQ(radio.endWrites, 1);
    }
}

TEST(TransferWorkerTest, SendsTheImageAsItWasWhenMade) {
    CFakePort port;
    CScriptedRadio radio(port);
    CMemoryImage image = test::RandomImage(4);
    CTransferWorker worker(ETransfer::Write, image);
    const CMemoryImage snapshot = image;
    image.Fill(0x00);
    ASSERT_TRUE(worker.Run(port, "COM1").Done());
    EXPECT_EQ(radio.memory[0x0100], snapshot[0x0100]);
    EXPECT_EQ(worker.Image(), snapshot);
}

TEST(RegionTest, ReadsOnlyTheRegionAndLeavesTheLimitsBlank) {
    CFakePort port;
    CScriptedRadio radio(port);
    RandomMemory(radio, 5);
    CMemoryImage image; // blank limits stay blank: only a clone read fills them
    ASSERT_TRUE(ReadRegion(port, "COM1", map::kCalibrationRange, image).Done());
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        const bool inside = i >= map::kCalibrationRange.start && i < map::kCalibrationRange.end;
        ASSERT_EQ(image[i], inside ? radio.memory[i] : 0xFF) << std::hex << i;
    }
    std::vector<Bytes> requests;
    for (const Bytes& w : BlockWrites(port))
        if (w.size() == 4 && w[0] == 'R') requests.push_back(w);
    ASSERT_EQ(requests.size(), 10u);
    EXPECT_EQ(requests.front(), (Bytes{'R', 0x3E, 0x40, 0x20}));
    EXPECT_EQ(requests[1], (Bytes{'R', 0x3E, 0x60, 0x20}));
    EXPECT_EQ(requests.back(), (Bytes{'R', 0x3F, 0x60, 0x10}));
    EXPECT_EQ(BlockWrites(port).back(), (Bytes{'E', 'N', 'D', 'R'}));
}

TEST(RegionTest, WritesOnlyTheRegion) {
    CFakePort port;
    CScriptedRadio radio(port);
    const CMemoryImage image = test::RandomImage(6);
    ASSERT_TRUE(WriteRegion(port, "COM1", map::kDtmfDecoderRange, image).Done());
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        const bool inside = i >= map::kDtmfDecoderRange.start && i < map::kDtmfDecoderRange.end;
        ASSERT_EQ(radio.memory[i], inside ? image[i] : 0xFF) << std::hex << i;
    }
    const auto writes = BlockWrites(port);
    ASSERT_EQ(writes.size(), 5u);
    EXPECT_EQ(writes[2], (Bytes{'W', 0x3E, 0x20, 0x10}));
    EXPECT_TRUE(std::ranges::equal(writes[3], image.Stretch(0x3E20, 16)));
}

// The service windows' progress bar: one step per block of the region, the total known from the
// first step on, and no step left out.
TEST(RegionTest, ReportsOneStepPerBlockInBothDirections) {
    struct CCase {
        const char* name;
        bool read;
        map::CRange region;
        char blockRequest;
    };
    for (const CCase& c : {CCase{"read", true, map::kCalibrationRange, 'R'},
                           CCase{"write", false, map::kDtmfDecoderRange, 'W'}}) {
        CFakePort port;
        CScriptedRadio radio(port);
        CMemoryImage image = test::RandomImage(7);
        std::vector<std::pair<int, int>> steps;
        const CProgress progress = [&](int position, int total) {
            steps.emplace_back(position, total);
        };
        const CExchangeResult result =
            c.read ? ReadRegion(port, "COM1", c.region, image, nullptr, progress)
                   : WriteRegion(port, "COM1", c.region, image, progress);
        ASSERT_TRUE(result.Done()) << c.name;
        std::size_t blocks = 0;
        for (const Bytes& w : BlockWrites(port))
            if (w.size() == 4 && w[0] == c.blockRequest) ++blocks;
        ASSERT_EQ(steps.size(), blocks) << c.name;
        for (std::size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i], std::make_pair(int(i) + 1, int(blocks))) << c.name;
    }
}

TEST(RadioInformationTest, WakesWithLongerPausesAndEndsAfterIdentify) {
    CFakePort port;
    CScriptedRadio radio(port);
    CIdentBlock ident{};
    ASSERT_TRUE(ReadRadioInformation(port, "COM1", ident).Done());
    EXPECT_TRUE(std::ranges::equal(ident, radio.ident));
    auto writes = port.Writes();
    ASSERT_EQ(writes.size(), 10u);
    EXPECT_EQ(writes[8], Bytes{0x02});
    EXPECT_EQ(writes[9], (Bytes{'E', 'N', 'D', 'R'}));
    for (const auto& event : port.events) {
        if (event.kind == EKind::Pause) {
            EXPECT_EQ(event.value, 2);
        }
    }
}

} // namespace
} // namespace tarsel
