#include "core/radiolink/protocol.h"

#include "core/image/memoryimage.h"
#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CFakePort;
using Bytes = std::vector<uint8_t>;
using EKind = CFakePort::CEvent::EKind;

// The exchanges' own ranges are checked through the exchanges; these are the odd ones.
TEST(BlocksTest, NeverCrossALineAndCountAsTheProgressBarDoes) {
    struct Case {
        std::vector<map::CRange> ranges;
        std::vector<CBlock> first, last;
        std::size_t count;
        int progress;
    } cases[] = {
        {{{0x0005, 0x0045}}, {{0x0005, 27}, {0x0020, 32}}, {{0x0040, 5}}, 3, 2},
        {{{0x2000, 0x2000}, {0x3000, 0x2000}}, {}, {}, 0, 0},
        {{{0x3FF0, 0x5000}}, {{0x3FF0, 16}}, {{0x3FF0, 16}}, 1, 1},
    };
    for (const Case& c : cases) {
        const auto blocks = BlocksOf(c.ranges);
        ASSERT_EQ(blocks.size(), c.count);
        EXPECT_EQ(ProgressTotal(c.ranges), c.progress);
        EXPECT_TRUE(std::equal(c.first.begin(), c.first.end(), blocks.begin()));
        EXPECT_TRUE(std::equal(c.last.rbegin(), c.last.rend(), blocks.rbegin()));
    }
}

TEST(IdentLimitTest, ReadsHexTextAsDecimal) {
    struct Case {
        std::array<uint8_t, 4> bytes;
        int32_t value;
    } cases[] = {
        {{0x00, 0x00, 0x60, 0x13}, 13600000},
        {{0x00, 0x25, 0x41, 0x17}, 17412500},
        {{0x99, 0x99, 0x99, 0x99}, 99999999},
        {{0x00, 0x00, 0x00, 0x00}, 0},
        {{0x2B, 0x3C, 0x4D, 0x1A}, 1},   // "1a4d3c2b": the leading digits only
        {{0x00, 0x3C, 0x4D, 0x12}, 124}, // "124d3c00"
        {{0x0A, 0x00, 0x00, 0x00}, 10},  // "a": no digits, the raw value
        {{0xFF, 0xFF, 0xFF, 0xFF}, -1},  // erased: raw, read as signed
        {{0x00, 0x00, 0x00, 0xA0}, static_cast<int32_t>(0xA0000000u)},
    };
    for (const Case& c : cases) {
        CIdentBlock block{};
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + 24);
        EXPECT_EQ(IdentLimit(block, 2), c.value) << std::hex << int(c.bytes[3]);
        EXPECT_EQ(IdentBandLimits(block).low[1], c.value);
    }
}

TEST(FillBlankBandLimitsTest, FillsOnlyBlankPairs) {
    const CBandLimits reported{{13600000, 40000000}, {17400000, 48000000}};
    const Bytes a{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17};
    const Bytes b{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x48};
    const Bytes kept{0x00, 0x00, 0x50, 0x14, 0x00, 0x00, 0x00, 0x15};
    for (const int blank : {0, 1, 2, 3}) {
        CMemoryImage image;
        // Only the top byte of the lower limit marks a pair blank.
        std::ranges::copy(kept, image.Stretch(map::kBandALow, 8).begin());
        std::ranges::copy(kept, image.Stretch(map::kBandBLow, 8).begin());
        if (blank & 1) image[0x2E13] = 0xFF;
        if (blank & 2) image[0x2E1B] = 0xFF;
        FillBlankBandLimits(image, reported);
        EXPECT_EQ(test::Bytes(image, map::kBandALow, 8), blank & 1 ? a : kept);
        EXPECT_EQ(test::Bytes(image, map::kBandBLow, 8), blank & 2 ? b : kept);
    }
    // A limit the radio sent as 0xFFFFFFFF decodes as -1: the A pair packs it digit pair by digit
    // pair, the B pair goes through its decimal text read back as hexadecimal.
    CMemoryImage image;
    FillBlankBandLimits(image, CBandLimits{{-1, -1}, {0, 1}});
    EXPECT_EQ(test::Bytes(image, map::kBandALow, 8), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test::Bytes(image, map::kBandBLow, 8),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0}));
}

CLinkFault WakeUp(CFakePort& port) {
    CRadioLink link(port);
    EXPECT_TRUE(link.Open("COM1").Succeeded());
    return link.WakeUp(1);
}

int WakeUpsSent(const CFakePort& port) {
    return static_cast<int>(std::ranges::count(port.Writes(), Bytes{'M'}));
}

TEST(WakeUpTest, StrayBytesAreSkippedInPairs) {
    // An odd number drops the 'P' with the last stray byte: that attempt fails, the next one finds
    // the "PG" of the repeated wake-up.
    for (int stray = 0; stray <= 5; ++stray) {
        CFakePort port;
        test::CScriptedRadio radio(port);
        radio.faults.strayBytes = stray;
        EXPECT_FALSE(WakeUp(port)) << stray;
        EXPECT_EQ(WakeUpsSent(port), stray % 2 ? 2 : 1) << stray;
    }
}

TEST(WakeUpTest, ASilentRadioGetsFourAttempts) {
    CFakePort port;
    EXPECT_EQ(WakeUp(port).kind, ELinkFault::NoWakeUpReply);
    EXPECT_EQ(WakeUpsSent(port), 4);
    // Purged once after opening, never between attempts.
    EXPECT_EQ(std::ranges::count(port.events, EKind::Purge, &CFakePort::CEvent::kind), 1);
    // Each attempt: 8 pauses, then one pass of two 1-byte reads of 150 ms.
    EXPECT_EQ(port.nowUs, 4 * (8 + 300) * 1000);
}

TEST(WakeUpTest, ALateOrSplitReplyCountsForTheNextRead) {
    // "xP", then 'G' 200 ms later: the empty read leaves 'P' buffered for the 'G'. 120 junk bytes
    // before "PG", about 126 ms late: the first attempt gives up after 100 ms; nothing is purged,
    // so the second attempt finds the rest and the "PG".
    Bytes late(120, 0x00);
    late.insert(late.end(), {'P', 'G'});
    for (const int attempts : {1, 2}) {
        CFakePort port;
        port.onWrite = [&](const Bytes& bytes) {
            if (bytes != Bytes{'M'} || WakeUpsSent(port) != 1) return;
            if (attempts == 2) return port.Reply(late);
            port.Reply({'x', 'P'});
            port.Reply({'G'}, 200'000);
        };
        EXPECT_FALSE(WakeUp(port));
        EXPECT_EQ(WakeUpsSent(port), attempts);
    }
}

TEST(StopwatchTest, CountsMillisecondsOnThePortsClock) {
    struct Case {
        std::int64_t frequency, start, elapsedTicks, expectedMs;
    } cases[] = {
        {3'579'545, 0, 3'579'544, 999}, // truncates
        {3'579'545, 0, 3'579'545, 1000},
        {1000, -5, 150, 150},
        {3'000'000'000, 1'000'000'000'000, 2'999'999, 0}, // multiplies before dividing
        {3'000'000'000, 1'000'000'000'000, 3'000'000, 1},
        {4'000'000'000, 0, 4'000'000'000LL * 3600, 3'600'000}, // an hour at 4 GHz
    };
    for (const Case& c : cases) {
        test::CFakePort port;
        port.frequency = c.frequency;
        port.nowUs = c.start;
        Stopwatch stopwatch(port);
        stopwatch.Start();
        port.nowUs = c.start + c.elapsedTicks;
        EXPECT_EQ(stopwatch.ElapsedMs(), c.expectedMs) << c.frequency << " " << c.elapsedTicks;
    }
}

} // namespace
} // namespace tarsel
