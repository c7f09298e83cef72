#include "core/radiolink/protocol.h"

#include "core/radiolink/causewords.h"

#include "core/image/memoryimage.h"
#include "fakeport.h"
#include "scriptedradio.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CFakePort;
using test::CScriptedRadio;
using Bytes = std::vector<uint8_t>;
using EKind = CFakePort::CEvent::EKind;

TEST(BlocksTest, NeverCrossALineAndCountAsTheProgressBarDoes) {
    struct Case {
        std::vector<map::CRange> ranges;
        std::vector<CBlock> first, last;
        std::size_t count;
        int progress;
    } cases[] = {
        {{map::kCloneRanges[0], map::kCloneRanges[1]}, {{0x0000, 32}, {0x0020, 32}},
         {{0x3F70, 16}, {0x3F80, 32}, {0x3FA0, 32}, {0x3FC0, 32}, {0x3FE0, 32}}, 389, 389},
        {{map::kInitialiseRanges[0], map::kInitialiseRanges[1]}, {{0x0000, 32}}, {{0x3FE0, 32}},
         512, 512},
        {{map::kCalibrationRange}, {{0x3E40, 32}, {0x3E60, 32}}, {{0x3F40, 32}, {0x3F60, 16}}, 10,
         10},
        {{map::kDtmfDecoderRange}, {{0x3E00, 32}}, {{0x3E20, 16}}, 2, 2},
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
        const bool aBlank = blank & 1, bBlank = blank & 2;
        CMemoryImage image;
        // Only the top byte of the lower limit marks a pair blank.
        for (std::size_t i = 0; i < 8; ++i) {
            image[map::kBandALow + i] = kept[i];
            image[map::kBandBLow + i] = kept[i];
        }
        if (aBlank) image[0x2E13] = 0xFF;
        if (bBlank) image[0x2E1B] = 0xFF;
        FillBlankBandLimits(image, reported);
        const auto stretch = [&](std::size_t at) {
            const auto s = image.Stretch(at, 8);
            return Bytes(s.begin(), s.end());
        };
        EXPECT_EQ(stretch(map::kBandALow), aBlank ? a : kept);
        EXPECT_EQ(stretch(map::kBandBLow), bBlank ? b : kept);
    }
}

TEST(FillBlankBandLimitsTest, RawLimitsFollowEachPairsOwnRoute) {
    // A limit the radio sent as 0xFFFFFFFF decodes as -1: the A pair packs it digit pair by digit
    // pair, the B pair goes through its decimal text read back as hexadecimal.
    CMemoryImage image;
    FillBlankBandLimits(image, CBandLimits{{-1, -1}, {0, 1}});
    EXPECT_EQ(image[map::kBandALow], 0xFF);
    EXPECT_EQ(image[map::kBandALow + 1], 0x00);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(image[map::kBandBLow + i], 0xFF);
    EXPECT_EQ(image[map::kBandBHigh], 0x01);
}

CLinkFault WakeUp(CFakePort& port, int pauseMs = 1) {
    CRadioLink link(port);
    EXPECT_TRUE(link.Open("COM1").Succeeded());
    return link.WakeUp(pauseMs);
}

int WakeUpsSent(const CFakePort& port) {
    int n = 0;
    for (const Bytes& w : port.Writes()) n += w == Bytes{'M'};
    return n;
}

TEST(WakeUpTest, SendsOneBytePerWriteAfterAPause) {
    CFakePort port;
    CScriptedRadio radio(port);
    ASSERT_FALSE(WakeUp(port, 2));
    const Bytes wake{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    std::vector<CFakePort::CEvent> sends;
    for (const auto& event : port.events)
        if (event.kind == EKind::Pause || event.kind == EKind::Write) sends.push_back(event);
    ASSERT_EQ(sends.size(), 16u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(sends[2 * i].kind, EKind::Pause);
        EXPECT_EQ(sends[2 * i].value, 2);
        EXPECT_EQ(sends[2 * i + 1].bytes, Bytes{wake[i]});
    }
}

TEST(WakeUpTest, StrayBytesAreSkippedInPairs) {
    // An odd number drops the 'P' with the last stray byte: that attempt fails, the next one finds
    // the "PG" of the repeated wake-up.
    for (int stray = 0; stray <= 5; ++stray) {
        CFakePort port;
        CScriptedRadio radio(port);
        radio.strayBytes = stray;
        EXPECT_FALSE(WakeUp(port)) << stray;
        EXPECT_EQ(WakeUpsSent(port), stray % 2 ? 2 : 1) << stray;
    }
}

TEST(WakeUpTest, ASilentRadioGetsFourAttempts) {
    CFakePort port;
    const CLinkFault fault = WakeUp(port);
    EXPECT_EQ(fault.kind, ELinkFault::NoWakeUpReply);
    EXPECT_EQ(WakeUpsSent(port), 4);
    EXPECT_EQ(port.Count(EKind::Purge), 1); // once after opening, never between attempts
    // Each attempt: 8 pauses, then one pass of two 1-byte reads of 150 ms.
    EXPECT_EQ(port.nowUs, 4 * (8 + 300) * 1000);
    EXPECT_EQ(DescribeLinkFault(fault), "no reply to the wake-up after 4 attempts");
}

TEST(WakeUpTest, ATimedOutReadKeepsTheBufferedByte) {
    // "xP", then nothing for 150 ms: the empty read leaves 'P' in the buffer and the 'G' that
    // follows completes the reply.
    CFakePort port;
    port.onWrite = [&port](const Bytes& bytes) {
        if (bytes == Bytes{'M'}) {
            port.Reply({'x', 'P'});
            port.Reply({'G'}, 200'000);
        }
    };
    EXPECT_FALSE(WakeUp(port));
    EXPECT_EQ(WakeUpsSent(port), 1);
}

TEST(WakeUpTest, AReplyLaterThan100MsFailsTheAttempt) {
    // 120 junk bytes, then "PG" about 126 ms after the stopwatch started: the first attempt gives
    // up after 100 ms; nothing is purged, so the second attempt finds the rest and the "PG".
    CFakePort port;
    port.onWrite = [&port](const Bytes& bytes) {
        if (bytes != Bytes{'M'} || WakeUpsSent(port) != 1) return;
        Bytes reply(120, 0x00);
        reply.push_back('P');
        reply.push_back('G');
        port.Reply(reply);
    };
    EXPECT_FALSE(WakeUp(port));
    EXPECT_EQ(WakeUpsSent(port), 2);
}

// The words as the Chinese face shows them: each %n filled in with its value's words.
std::string Shown(const CWords& words) {
    std::string text = words.text;
    for (std::size_t i = 0; i < words.values.size() && !words.value; ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        text.replace(text.find(mark), mark.size(), Shown(words.values[i]));
    }
    return text;
}

// The command line's words and those of the two display faces.
TEST(LinkFaultTest, Describes) {
    struct Case {
        CLinkFault fault;
        const char* text;
        const char* words;
    } cases[] = {
        {{ELinkFault::ShortIdentBlock, 0, 12, 32, 0},
         "identification block incomplete: 12 of 32 bytes", "识别数据不完整：收到 12 / 32 字节"},
        {{ELinkFault::BadStartAcknowledge, 0, 1, 0, 0x00},
         "start acknowledge was 0x00, expected 0x41", "开始确认为 0x00，应为 0x41"},
        {{ELinkFault::BadStartAcknowledge, 0, 0, 0, 0}, "no reply to the start acknowledge",
         "开始确认没有应答"},
        {{ELinkFault::ShortBlock, 0x3F70, 12, 20, 0}, "block 0x3F70 incomplete: 12 of 20 bytes",
         "数据块 0x3F70 不完整：收到 12 / 20 字节"},
        {{ELinkFault::BlockNotAcknowledged, 0x1A40, 1, 0, 0x42},
         "block 0x1A40 not acknowledged: reply 0x42, expected 0x41",
         "数据块 0x1A40 未被确认：应答 0x42，应为 0x41"},
        {{ELinkFault::BlockNotAcknowledged, 0x0000, 0, 0, 0},
         "block 0x0000 not acknowledged: no reply", "数据块 0x0000 未被确认：无应答"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeLinkFault(c.fault), c.text);
        CExchangeResult result;
        result.outcome = EExchangeOutcome::CommunicationError;
        result.fault = c.fault;
        EXPECT_EQ(Shown(CauseWords(result)), c.words);
    }
}

} // namespace
} // namespace tarsel
