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

using test::InRanges;

bool IsRequest(const Bytes& w) { return w.size() == 4 && (w[0] == 'R' || w[0] == 'W'); }

// The writes from the first block request on.
std::vector<Bytes> BlockWrites(const CFakePort& port) {
    auto writes = port.Writes();
    return {std::ranges::find_if(writes, IsRequest), writes.end()};
}

TEST(ReadRadioTest, ReadsTheCloneRangesAndFillsBlankLimits) {
    CFakePort port;
    CScriptedRadio radio(port);
    CMemoryImage stored = test::RandomImage(1);
    stored[map::kBandALowTopByte] = 0xFF; // blank A pair: filled from the identification
    stored[map::kBandBLowTopByte] = 0x45; // B pair holds limits: kept
    radio.memory.Assign(stored.Bytes());
    const CMemoryImage before = test::RandomImage(2);
    CMemoryImage image = before;
    std::vector<std::pair<int, int>> steps;

    const auto result =
        ReadRadio(port, "COM1", image, [&](int at, int total) { steps.emplace_back(at, total); });

    ASSERT_TRUE(result.Done()) << DescribeCause(result);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        if (i >= map::kBandALow && i < map::kBandBLow) continue;
        ASSERT_EQ(image[i], InRanges(i, map::kCloneRanges) ? stored[i] : before[i]) << i;
    }
    const Bytes filledA{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17};
    EXPECT_EQ(test::Bytes(image, map::kBandALow, 8), filledA);
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

    // Each block is purged before its request and before its acknowledge.
    const auto request = std::ranges::find_if(port.events, [](const CFakePort::CEvent& e) {
        return e.kind == EKind::Write && IsRequest(e.bytes);
    });
    const std::vector<std::pair<EKind, int64_t>> expected{
        {EKind::Purge, 0}, {EKind::Write, 0}, {EKind::Read, 4}, {EKind::Read, 32},
        {EKind::Purge, 0}, {EKind::Write, 0}, {EKind::Read, 1}, {EKind::Purge, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& event = *(request - 1 + static_cast<std::ptrdiff_t>(i));
        EXPECT_EQ(event.kind, expected[i].first) << i;
        if (event.kind == EKind::Read) EXPECT_EQ(event.value, expected[i].second) << i;
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
        const auto memory = radio.Memory();
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
            ASSERT_EQ(memory[i], InRanges(i, TransferRanges(c.transfer)) ? image[i] : 0xFF);
        const auto writes = BlockWrites(port);
        ASSERT_EQ(writes.size(), 2 * c.blocks + 1);
        EXPECT_EQ(writes[0], (Bytes{'W', 0x00, 0x00, 0x20}));
        EXPECT_EQ(writes[1], Bytes(image.Bytes().begin(), image.Bytes().begin() + 32));
        EXPECT_EQ(writes.back(), (Bytes{'E', 'N', 'D', 'W'}));
        EXPECT_EQ(radio.Counters().endWrites, 1);
    }
}

// The service windows' exchanges: only the region moves (a blank image keeps its blank limits:
// only a clone read fills them), and the progress bar takes one step per block, the total known
// from the first step on.
TEST(RegionTest, MovesOnlyTheRegionWithOneStepPerBlock) {
    const struct {
        bool read;
        map::CRange region;
        std::vector<Bytes> requests; // the first two and the last
        std::size_t count;
    } cases[] = {
        {true,
         map::kCalibrationRange,
         {{'R', 0x3E, 0x40, 0x20}, {'R', 0x3E, 0x60, 0x20}, {'R', 0x3F, 0x60, 0x10}},
         10},
        {false,
         map::kDtmfDecoderRange,
         {{'W', 0x3E, 0x00, 0x20}, {'W', 0x3E, 0x20, 0x10}, {'W', 0x3E, 0x20, 0x10}},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read ? "read" : "write");
        CFakePort port;
        CScriptedRadio radio(port);
        const CMemoryImage radioBefore = test::RandomImage(5);
        radio.memory.Assign(radioBefore.Bytes());
        CMemoryImage image = c.read ? CMemoryImage() : test::RandomImage(6);
        const CMemoryImage before = image;
        std::vector<std::pair<int, int>> steps;
        const CProgress progress = [&](int at, int total) { steps.emplace_back(at, total); };
        ASSERT_TRUE((c.read ? ReadRegion(port, "COM1", c.region, image, nullptr, progress)
                            : WriteRegion(port, "COM1", c.region, image, progress))
                        .Done());
        const auto memory = radio.Memory();
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const bool inside = i >= c.region.start && i < c.region.end;
            ASSERT_EQ(image[i], inside && c.read ? radioBefore[i] : before[i]) << std::hex << i;
            ASSERT_EQ(memory[i], inside && !c.read ? before[i] : radioBefore[i]) << i;
        }
        std::vector<Bytes> requests;
        std::ranges::copy_if(BlockWrites(port), std::back_inserter(requests), IsRequest);
        ASSERT_EQ(requests.size(), c.count);
        EXPECT_EQ(requests[0], c.requests[0]);
        EXPECT_EQ(requests[1], c.requests[1]);
        EXPECT_EQ(requests.back(), c.requests[2]);
        const uint8_t end = c.read ? 'R' : 'W';
        EXPECT_EQ(BlockWrites(port).back(), (Bytes{'E', 'N', 'D', end}));
        ASSERT_EQ(steps.size(), c.count);
        for (std::size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i], std::make_pair(int(i) + 1, int(c.count)));
    }
}

// The wake-up sends one byte per write, each after a pause, longer than a clone's.
TEST(RadioInformationTest, WakesWithLongerPausesAndEndsAfterIdentify) {
    CFakePort port;
    CScriptedRadio radio(port);
    CIdentBlock ident{};
    ASSERT_TRUE(ReadRadioInformation(port, "COM1", ident).Done());
    EXPECT_TRUE(std::ranges::equal(ident, radiosim::BuildIdentBlock(radio.config)));
    const Bytes wake{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    std::vector<CFakePort::CEvent> sends;
    for (const auto& event : port.events)
        if (event.kind == EKind::Pause || event.kind == EKind::Write) sends.push_back(event);
    ASSERT_EQ(sends.size(), 18u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(sends[2 * i].kind, EKind::Pause);
        EXPECT_EQ(sends[2 * i].value, 2);
        EXPECT_EQ(sends[2 * i + 1].bytes, Bytes{wake[i]});
    }
    EXPECT_EQ(sends[16].bytes, Bytes{0x02});
    EXPECT_EQ(sends[17].bytes, (Bytes{'E', 'N', 'D', 'R'}));
}

} // namespace
} // namespace tarsel
