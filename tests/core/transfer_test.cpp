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

bool IsRequest(const Bytes& w) { return w.size() == 4 && (w[0] == 'R' || w[0] == 'W'); }

// Each exchange moves exactly its ranges, one progress step per block, the total known from the
// first step on. Only a clone read fills blank band limits from the identification.
TEST(TransferTest, EachExchangeMovesOnlyItsRanges) {
    using CRun = CExchangeResult (*)(CFakePort&, CMemoryImage&, const CProgress&);
    const struct {
        const char* name;
        CRun run;
        std::vector<map::CRange> ranges;
        std::vector<Bytes> requests; // the first two and the last
        std::size_t count;
    } cases[] = {
        {"read",
         [](CFakePort& p, CMemoryImage& i, const CProgress& s) {
             return ReadRadio(p, "COM1", i, s);
         },
         {std::begin(map::kCloneRanges), std::end(map::kCloneRanges)},
         {{'R', 0x00, 0x00, 0x20}, {'R', 0x00, 0x20, 0x20}, {'R', 0x3F, 0xE0, 0x20}},
         389},
        {"write",
         [](CFakePort& p, CMemoryImage& i, const CProgress& s) {
             return WriteRadio(p, "COM1", i, s);
         },
         {std::begin(map::kCloneRanges), std::end(map::kCloneRanges)},
         {{'W', 0x00, 0x00, 0x20}, {'W', 0x00, 0x20, 0x20}, {'W', 0x3F, 0xE0, 0x20}},
         389},
        {"initialise",
         [](CFakePort& p, CMemoryImage& i, const CProgress& s) {
             return InitialiseRadio(p, "COM1", i, s);
         },
         {{0x0000, 0x4000}},
         {{'W', 0x00, 0x00, 0x20}, {'W', 0x00, 0x20, 0x20}, {'W', 0x3F, 0xE0, 0x20}},
         512},
        {"calibration",
         [](CFakePort& p, CMemoryImage& i, const CProgress& s) {
             return ReadRegion(p, "COM1", map::kCalibrationRange, i, nullptr, s);
         },
         {map::kCalibrationRange},
         {{'R', 0x3E, 0x40, 0x20}, {'R', 0x3E, 0x60, 0x20}, {'R', 0x3F, 0x60, 0x10}},
         10},
        {"DTMF decoder",
         [](CFakePort& p, CMemoryImage& i, const CProgress& s) {
             return WriteRegion(p, "COM1", map::kDtmfDecoderRange, i, s);
         },
         {map::kDtmfDecoderRange},
         {{'W', 0x3E, 0x00, 0x20}, {'W', 0x3E, 0x20, 0x10}, {'W', 0x3E, 0x20, 0x10}},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool read = c.requests[0][0] == 'R';
        const bool clone = read && c.count == 389;
        CFakePort port;
        CScriptedRadio radio(port);
        CMemoryImage stored = test::RandomImage(1);
        stored[map::kBandALowTopByte] = 0xFF; // blank A pair
        stored[map::kBandBLowTopByte] = 0x45; // B pair holds limits: kept
        radio.memory.Assign(stored.Bytes());
        CMemoryImage before = test::RandomImage(2);
        before[map::kBandALowTopByte] = 0xFF;
        CMemoryImage image = before;
        std::vector<std::pair<int, int>> steps;

        const auto result =
            c.run(port, image, [&](int at, int total) { steps.emplace_back(at, total); });

        ASSERT_TRUE(result.Done()) << DescribeCause(result);
        const auto memory = radio.Memory();
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const bool inside = test::InRanges(i, c.ranges);
            if (clone && i >= map::kBandALow && i < map::kBandBLow) continue;
            ASSERT_EQ(image[i], inside && read ? stored[i] : before[i]) << i;
            ASSERT_EQ(memory[i], inside && !read ? before[i] : stored[i]) << i;
        }
        if (clone) {
            const Bytes filledA{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17};
            EXPECT_EQ(test::Bytes(image, map::kBandALow, 8), filledA);
        }
        ASSERT_EQ(steps.size(), c.count);
        for (std::size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i], std::make_pair(int(i) + 1, int(c.count)));

        const auto writes = port.Writes();
        std::vector<Bytes> requests;
        std::ranges::copy_if(writes, std::back_inserter(requests), IsRequest);
        ASSERT_EQ(requests.size(), c.count);
        EXPECT_EQ(requests[0], c.requests[0]);
        EXPECT_EQ(requests[1], c.requests[1]);
        EXPECT_EQ(requests.back(), c.requests[2]);
        EXPECT_EQ(writes.back(), (Bytes{'E', 'N', 'D', read ? uint8_t('R') : uint8_t('W')}));
        EXPECT_EQ(port.events.back().kind, EKind::Close);
        if (!read) continue;
        // A block read: purged before its request and before its acknowledge.
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
