// Every exchange, against a good radio and against every way the port or the radio can fail it;
// what a verified write reads back; many radios written at once, each on a thread of its own.
#include "core/radiolink/causewords.h"
#include "core/radiolink/multitransfer.h"
#include "core/radiolink/protocol.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"
#include "core/radiolink/verification.h"

#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <mutex>

namespace tarsel {
namespace {

using test::CFakePort;
using test::CScriptedRadio;
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
        {{0x2B, 0x3C, 0x4D, 0x1A}, 1},   // "1a4d3c2b": the leading digits only
        {{0x0A, 0x00, 0x00, 0x00}, 10},  // "a": no digits, the raw value
        {{0xFF, 0xFF, 0xFF, 0xFF}, -1},  // erased: raw, read as signed
    };
    for (const Case& c : cases) {
        CIdentBlock block{};
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + 24);
        EXPECT_EQ(IdentLimit(block, 2), c.value) << std::hex << int(c.bytes[3]);
        EXPECT_EQ(IdentBandLimits(block).low[1], c.value);
    }
}

// Only the top byte of the lower limit marks a pair blank; a clone read fills a blank pair beside
// a kept one. A limit the radio sent as 0xFFFFFFFF decodes as -1: the A pair packs it digit pair by
// digit pair, the B pair goes through its decimal text read back as hexadecimal.
TEST(FillBlankBandLimitsTest, FillsOnlyBlankPairs) {
    CMemoryImage image;
    image.Fill(0x00);
    image[0x2E13] = 0xFF;
    image[0x2E1B] = 0xFF;
    FillBlankBandLimits(image, CBandLimits{{13600000, 40000000}, {17400000, 48000000}});
    EXPECT_EQ(test::Bytes(image, map::kBandALow, 16),
              (Bytes{0, 0, 0x60, 0x13, 0, 0, 0x40, 0x17, 0, 0, 0, 0x40, 0, 0, 0, 0x48}));
    CMemoryImage erased;
    FillBlankBandLimits(erased, CBandLimits{{-1, -1}, {0, 1}});
    EXPECT_EQ(test::Bytes(erased, map::kBandALow, 16),
              (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0}));
}

CLinkFault WakeUp(CFakePort& port) {
    CRadioLink link(port);
    EXPECT_TRUE(link.Open("COM1").Succeeded());
    return link.WakeUp(1);
}

int WakeUpsSent(const CFakePort& port) {
    return static_cast<int>(std::ranges::count(port.Writes(), Bytes{'M'}));
}

// Stray bytes before "PG" are skipped in pairs: an odd number drops the 'P' with the last one, so
// that attempt fails and the next finds the "PG" of the repeated wake-up. A late reply counts for
// the next read ("xP", then 'G' 200 ms later: the empty read leaves 'P' buffered) or the next
// attempt (120 junk bytes before "PG", about 126 ms late: nothing is purged in between).
TEST(WakeUpTest, StrayOrLateBytesCountForTheNextReadOrAttempt) {
    Bytes late(120, 0x00);
    late.insert(late.end(), {'P', 'G'});
    // 0 to 5: that many stray bytes; 6: a split reply; 7: a late one.
    for (int row = 0; row <= 7; ++row) {
        CFakePort port;
        test::CScriptedRadio radio(port);
        radio.faults.strayBytes = row;
        if (row >= 6)
            port.onWrite = [&](const Bytes& bytes) {
                if (bytes != Bytes{'M'} || WakeUpsSent(port) != 1) return;
                if (row == 7) return port.Reply(late);
                port.Reply({'x', 'P'});
                port.Reply({'G'}, 200'000);
            };
        EXPECT_FALSE(WakeUp(port)) << row;
        EXPECT_EQ(WakeUpsSent(port), row % 2 ? 2 : 1) << row;
    }
}

TEST(StopwatchTest, CountsMillisecondsOnThePortsClock) {
    struct Case {
        std::int64_t frequency, start, elapsedTicks, expectedMs;
    } cases[] = {
        {3'579'545, 0, 3'579'544, 999}, // truncates
        {3'000'000'000, 1'000'000'000'000, 3'000'000, 1}, // multiplies before dividing
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

bool IsRequest(const Bytes& w) { return w.size() == 4 && (w[0] == 'R' || w[0] == 'W'); }

struct CJob {
    const char* name;
    CExchangeResult (*run)(CFakePort&, CMemoryImage&, CIdentBlock&, const CProgress&);
    std::size_t count; // blocks
    std::vector<map::CRange> ranges = {};
    std::vector<Bytes> requests = {}; // the first two and the last
};

// A clone read first: the causes below are worded for it.
// clang-format off
const CJob kJobs[] = {
    {"read", [](auto& p, auto& m, auto&, auto& s) { return ReadRadio(p, "COM1", m, s); }, 389,
     {std::begin(map::kCloneRanges), std::end(map::kCloneRanges)},
     {{'R', 0x00, 0x00, 0x20}, {'R', 0x00, 0x20, 0x20}, {'R', 0x3F, 0xE0, 0x20}}},
    {"write", [](auto& p, auto& m, auto&, auto& s) { return WriteRadio(p, "COM1", m, s); }, 389,
     {std::begin(map::kCloneRanges), std::end(map::kCloneRanges)},
     {{'W', 0x00, 0x00, 0x20}, {'W', 0x00, 0x20, 0x20}, {'W', 0x3F, 0xE0, 0x20}}},
    {"initialise",
     [](auto& p, auto& m, auto&, auto& s) { return InitialiseRadio(p, "COM1", m, s); }, 512,
     {{0x0000, 0x4000}},
     {{'W', 0x00, 0x00, 0x20}, {'W', 0x00, 0x20, 0x20}, {'W', 0x3F, 0xE0, 0x20}}},
    {"calibration",
     [](auto& p, auto& m, auto&, auto& s) {
         return ReadRegion(p, "COM1", map::kCalibrationRange, m, nullptr, s);
     }, 10, {map::kCalibrationRange},
     {{'R', 0x3E, 0x40, 0x20}, {'R', 0x3E, 0x60, 0x20}, {'R', 0x3F, 0x60, 0x10}}},
    {"DTMF decoder",
     [](auto& p, auto& m, auto&, auto& s) {
         return WriteRegion(p, "COM1", map::kDtmfDecoderRange, m, s);
     }, 2, {map::kDtmfDecoderRange},
     {{'W', 0x3E, 0x00, 0x20}, {'W', 0x3E, 0x20, 0x10}, {'W', 0x3E, 0x20, 0x10}}},
    {"information",
     [](auto& p, auto&, auto& i, auto&) { return ReadRadioInformation(p, "COM1", i); }, 0},
};
// clang-format on

// Each exchange moves exactly its ranges, one progress step per block, the total known from the
// first step on. Only a clone read fills blank band limits from the identification.
TEST(TransferTest, EachExchangeMovesOnlyItsRanges) {
    for (const CJob& c : kJobs) {
        SCOPED_TRACE(c.name);
        const bool read = c.count == 0 || c.requests[0][0] == 'R';
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

        CIdentBlock ident{};
        const auto result =
            c.run(port, image, ident, [&](int at, int total) { steps.emplace_back(at, total); });

        ASSERT_TRUE(result.Done()) << DescribeCause(result);
        EXPECT_EQ(port.events[1].kind, EKind::Configure);
        // The wake-up sends one byte per write, each after a pause, longer for the identification
        // alone, which goes without a start acknowledge.
        std::vector<CFakePort::CEvent> sends;
        std::ranges::copy_if(port.events, std::back_inserter(sends), [](const auto& e) {
            return e.kind == EKind::Pause || e.kind == EKind::Write;
        });
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(sends[2 * i].value, c.count ? 1 : 2); // a pause: a write's value is 0
            EXPECT_EQ(sends[2 * i + 1].bytes, Bytes(1, "\x02PROGRAM"[i]));
        }
        EXPECT_EQ(sends[16].bytes, Bytes{0x02});
        EXPECT_EQ(sends[17].bytes, (c.count ? Bytes{0x41} : Bytes{'E', 'N', 'D', 'R'}));
        if (!c.count) EXPECT_TRUE(std::ranges::equal(ident, BuildIdentBlock(radio.config)));
        const auto memory = radio.memory.Snapshot();
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const bool inside = test::InRanges(i, c.ranges);
            if (clone && i >= map::kBandALow && i < map::kBandBLow) continue;
            ASSERT_EQ(image[i], inside && read ? stored[i] : before[i]) << i;
            ASSERT_EQ(memory[i], inside && !read ? before[i] : stored[i]) << i;
        }
        if (clone)
            EXPECT_EQ(test::Bytes(image, map::kBandALow, 8),
                      (Bytes{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}));
        ASSERT_EQ(steps.size(), c.count);
        for (std::size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i], std::make_pair(int(i) + 1, int(c.count)));

        const auto writes = port.Writes();
        std::vector<Bytes> requests;
        std::ranges::copy_if(writes, std::back_inserter(requests), IsRequest);
        ASSERT_EQ(requests.size(), c.count);
        EXPECT_EQ(writes.back(), (Bytes{'E', 'N', 'D', read ? uint8_t('R') : uint8_t('W')}));
        EXPECT_EQ(port.events.back().kind, EKind::Close);
        if (c.count == 0) continue;
        EXPECT_EQ((std::vector{requests[0], requests[1], requests.back()}), c.requests);
        if (!read) continue;
        // A block read: purged before its request and before its acknowledge.
        const auto request = std::ranges::find_if(port.events, [](const CFakePort::CEvent& e) {
            return e.kind == EKind::Write && IsRequest(e.bytes);
        });
        const std::vector<std::pair<EKind, int64_t>> expected{
            {EKind::Purge, 0}, {EKind::Write, 0}, {EKind::Read, 4}, {EKind::Read, 32},
            {EKind::Purge, 0}, {EKind::Write, 0}, {EKind::Read, 1}, {EKind::Purge, 0}};
        std::vector<std::pair<EKind, int64_t>> seen;
        for (auto it = request - 1; it != request + 7; ++it) seen.emplace_back(it->kind, it->value);
        EXPECT_EQ(seen, expected);
    }
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

struct CFault {
    radiosim::CFaults faults;
    ELinkFault kind;   // None: the port did not open
    const char* cause; // of a clone read: the command line's words, then the display's
    const char* words;
    COpenResult open = {};
};

// clang-format off
const CFault kFaults[] = {
    {{}, ELinkFault::None, "no port configured (COM1)", "未设置串口（COM1）",
     {.failure = EOpenFailure::NoPortConfigured}},
    {{}, ELinkFault::None,
     "/dev/ttyUSB0: held by another program", "/dev/ttyUSB0：正被另一个程序占用",
     {.failure = EOpenFailure::HeldElsewhere, .device = "/dev/ttyUSB0"}},
    {{}, ELinkFault::None, "/dev/ttyUSB0: permission denied: add your user to the uucp group",
     "/dev/ttyUSB0：没有权限。请把您的用户加入 uucp 组（加入后请重新登录）。",
     {.failure = EOpenFailure::PermissionDenied, .device = "/dev/ttyUSB0", .group = "uucp"}},
    {{}, ELinkFault::None,
     "/dev/ttyUSB0: Input/output error", "/dev/ttyUSB0: Input/output error",
     {.failure = EOpenFailure::SystemError, .device = "/dev/ttyUSB0", .error = EIO}},
    {{.silent = true}, ELinkFault::NoWakeUpReply,
     "no reply to the wake-up after 4 attempts", "唤醒 4 次，对讲机都没有应答"},
    {{.identLength = 31}, ELinkFault::ShortIdentBlock,
     "identification block incomplete: 31 of 32 bytes", "识别数据不完整：收到 31 / 32 字节"},
    {{.startAckReply = 0x00}, ELinkFault::BadStartAcknowledge,
     "start acknowledge was 0x00, expected 0x41", "开始确认为 0x00，应为 0x41"},
    {{.startAckReply = radiosim::kNoReply}, ELinkFault::BadStartAcknowledge,
     "no reply to the start acknowledge", "开始确认没有应答"},
    {{.badAckBlock = 1}, ELinkFault::BlockNotAcknowledged,
     "block 0x0020 not acknowledged: reply 0x42, expected 0x41",
     "数据块 0x0020 未被确认：应答 0x42，应为 0x41"},
    {{.badAckBlock = 1, .badAckReply = radiosim::kNoReply}, ELinkFault::BlockNotAcknowledged,
     "block 0x0020 not acknowledged: no reply", "数据块 0x0020 未被确认：无应答"},
    {{.stallBlock = 1, .stallMs = 1000}, ELinkFault::ShortBlock,
     "block 0x0020 incomplete: 20 of 36 bytes", "数据块 0x0020 不完整：收到 20 / 36 字节"},
};
// clang-format on

TEST(ExchangeFaultsTest, EveryFaultFailsTheExchangeAndChangesNothing) {
    for (const auto& job : kJobs) {
        for (const CFault& fault : kFaults) {
            const uint16_t second = job.count ? job.requests[1][1] << 8 | job.requests[1][2] : 0;
            const bool inBlock = fault.kind == ELinkFault::BlockNotAcknowledged ||
                                 fault.kind == ELinkFault::ShortBlock;
            // The information has no blocks, and the radio cannot cut short what it is sent.
            if ((inBlock || fault.kind == ELinkFault::BadStartAcknowledge) && second == 0) continue;
            if (fault.kind == ELinkFault::ShortBlock && job.requests[0][0] != 'R') continue;
            SCOPED_TRACE(std::string(fault.cause) + ", job " + job.name);
            CFakePort port;
            CScriptedRadio radio(port);
            radio.faults = fault.faults;
            port.openResult = fault.open;
            const bool opened = fault.open.Succeeded();
            const CMemoryImage before = test::RandomImage(7);
            CMemoryImage image = before;
            CIdentBlock ident{};
            ident.fill(0x5A);

            const CExchangeResult result = job.run(port, image, ident, {});

            EXPECT_EQ(result.outcome, opened ? EExchangeOutcome::CommunicationError
                                             : EExchangeOutcome::PortNotOpened);
            EXPECT_EQ(result.fault.kind, fault.kind) << DescribeCause(result);
            EXPECT_EQ(image, before);
            EXPECT_EQ(ident[0], 0x5A);
            EXPECT_EQ(radio.Counters().endReads + radio.Counters().endWrites, 0);
            EXPECT_EQ(std::ranges::count(port.events, EKind::Close, &CFakePort::CEvent::kind),
                      opened ? 1 : 0);
            if (!opened) EXPECT_TRUE(port.Writes().empty());
            // Four attempts, each of 8 pauses and two 1-byte reads of 150 ms, purged only once.
            if (fault.kind == ELinkFault::NoWakeUpReply && &job == kJobs) {
                EXPECT_EQ(WakeUpsSent(port), 4);
                EXPECT_EQ(std::ranges::count(port.events, EKind::Purge, &CFakePort::CEvent::kind),
                          1);
                EXPECT_EQ(port.nowUs, 4 * (8 + 300) * 1000);
            }
            // A block cut short is not acknowledged.
            if (fault.kind == ELinkFault::ShortBlock) EXPECT_EQ(port.Writes().back()[0], 'R');
            if (&job == kJobs) {
                EXPECT_EQ(DescribeCause(result), fault.cause);
                EXPECT_EQ(Shown(CauseWords(result)), fault.words);
            } else if (inBlock) {
                EXPECT_EQ(result.fault.address, second);
            }
        }
    }
}

TEST(VerificationTest, CountsEveryDifferenceInsideTheRangesAndNamesTheLowest) {
    constexpr map::CRange kRanges[] = {{0x0000, 0x0040}, {0x3F70, 0x4000}};
    const struct {
        const char* name;
        std::vector<std::size_t> changed; // offsets flipped in the read-back copy
        std::size_t differing;
        std::vector<uint16_t> first;
    } cases[] = {
        {"identical", {}, 0, {}},
        {"outside the ranges", {0x0040, 0x2000, 0x3F6F}, 0, {}},
        {"range edges", {0x0000, 0x003F, 0x3F70, 0x3FFF}, 4, {0x0000, 0x003F, 0x3F70, 0x3FFF}},
        {"more than kept", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0x3F80}, 10, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    const CMemoryImage written = test::RandomImage(5);
    for (const auto& c : cases) {
        CMemoryImage read = written;
        for (const std::size_t at : c.changed) read[at] = static_cast<uint8_t>(~read[at]);
        const CVerification v = CompareRanges(written, read, kRanges);
        EXPECT_EQ(v.differing, c.differing) << c.name;
        EXPECT_EQ(v.Matches(), c.differing == 0) << c.name;
        ASSERT_EQ(v.first.size(), c.first.size()) << c.name;
        for (std::size_t i = 0; i < c.first.size(); ++i) {
            EXPECT_EQ(v.first[i].address, c.first[i]) << c.name;
            EXPECT_EQ(v.first[i].written, written[c.first[i]]) << c.name;
            EXPECT_EQ(v.first[i].read, read[c.first[i]]) << c.name;
        }
    }
    CVerification one{.differing = 1, .first = {{0x0025, 0x3C, 0xC3}}};
    EXPECT_EQ(DescribeVerification(one), "1 byte differs: 0x0025 written 0x3C read 0xC3");
    CVerification many{.differing = 9, .first = {{0x0001, 0x00, 0xFF}, {0x3F80, 0xAB, 0x54}}};
    EXPECT_EQ(DescribeVerification(many),
              "9 bytes differ: 0x0001 written 0x00 read 0xFF, 0x3F80 written 0xAB read 0x54, ...");
}

TEST(VerificationTest, TheImageAsMadeIsSentAndReadBackAfterTheRadioSettles) {
    CFakePort port;
    CScriptedRadio radio(port);
    CMemoryImage image = test::RandomImage(6);
    const CMemoryImage snapshot = image;
    CTransferWorker worker(ETransfer::Write, image, {.verify = true});
    image.Fill(0x00);
    ASSERT_TRUE(worker.Run(port, "COM1").Done());
    EXPECT_EQ(worker.Image(), snapshot);
    EXPECT_EQ(radio.Counters().endReads, 1);
    // Opening the port purges it: without a pause the end marker could still be queued.
    const auto closed = std::ranges::find(port.events, EKind::Close, &CFakePort::CEvent::kind);
    int64_t pausedMs = 0;
    for (auto it = closed; it != port.events.end() && it->kind != EKind::Open; ++it)
        if (it->kind == EKind::Pause) pausedMs += it->value;
    EXPECT_GE(pausedMs, 100);
}

// An unverified initialise through the one call, a verified write through the object. Each
// transfer is handed a port of its own; the radio behind it outlives the port, so what it holds can
// be checked afterwards.
TEST(MultiTransferTest, EachRadioSucceedsOrFailsOnItsOwn) {
    const std::pair<radiosim::CFaults, EExchangeOutcome> cases[] = {
        {{}, EExchangeOutcome::Done},
        {{}, EExchangeOutcome::PortNotOpened}, // there is no such device
        {{.badAckBlock = 3}, EExchangeOutcome::CommunicationError},
        {{}, EExchangeOutcome::Done},
    };
    const std::size_t n = std::size(cases);
    const std::vector<std::string> names{"COM1", "COM2", "COM3", "COM4"};
    const CMemoryImage image = test::RandomImage(31);
    for (const bool verify : {false, true}) {
        const ETransfer transfer = verify ? ETransfer::Write : ETransfer::Initialise;
        std::vector<std::unique_ptr<CScriptedRadio>> radios;
        const CPortMaker maker = [&]() -> std::unique_ptr<CSerialPort> {
            auto port = std::make_unique<CFakePort>();
            radios.push_back(std::make_unique<CScriptedRadio>(*port));
            radios.back()->faults = cases[radios.size() - 1].first;
            if (cases[radios.size() - 1].second == EExchangeOutcome::PortNotOpened)
                port->openResult.failure = EOpenFailure::NoSuchDevice;
            return port;
        };
        std::mutex mutex;
        std::vector<std::vector<int>> steps(n);
        std::vector<int> finishedCalls(n, 0);
        CMultiCallbacks callbacks;
        callbacks.progress = [&](std::size_t i, int position, int) {
            const std::lock_guard lock(mutex);
            steps.at(i).push_back(position);
        };
        callbacks.finished = [&](std::size_t i, const CExchangeResult&) {
            const std::lock_guard lock(mutex);
            ++finishedCalls.at(i);
        };
        CMultiTransfer run(transfer, image, names, {.verify = verify});
        const int total = TransferSteps(transfer, verify);
        ASSERT_EQ(run.Count(), n);
        EXPECT_EQ(run.Progress(n - 1).total, total);
        EXPECT_FALSE(run.Progress(n - 1).finished);
        std::vector<CExchangeResult> results;
        if (verify) {
            run.Start(maker, callbacks);
            results = run.Wait();
            EXPECT_TRUE(run.Finished());
        } else {
            results = TransferToAll(transfer, image, names, maker, {}, callbacks);
        }

        ASSERT_EQ(results.size(), n);
        EXPECT_EQ(DescribeCause(results[2]),
                  "block 0x0060 not acknowledged: reply 0x42, expected 0x41");
        EXPECT_EQ(steps[2].size(), 3u); // the blocks before the refused one
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(results[i].outcome, cases[i].second);
            if (!results[i].open.portName.empty() || results[i].Done())
                EXPECT_EQ(results[i].open.portName, names[i]) << "a result of another port";
            EXPECT_EQ(finishedCalls[i], 1);
            for (std::size_t k = 0; k < steps[i].size(); ++k)
                ASSERT_EQ(steps[i][k], static_cast<int>(k) + 1);
            if (verify) {
                EXPECT_EQ(run.Progress(i).position, static_cast<int>(steps[i].size()));
                EXPECT_TRUE(run.Progress(i).finished);
            }
            if (!results[i].Done()) continue;
            EXPECT_EQ(steps[i].size(), static_cast<std::size_t>(total));
            // A verified write sends the read requests too.
            EXPECT_EQ(radios[i]->Counters().endReads, verify ? 1 : 0);
            const auto memory = radios[i]->memory.Snapshot();
            for (std::size_t a = 0; a < CMemoryImage::kSize; ++a)
                ASSERT_EQ(memory[a], test::InRanges(a, TransferRanges(transfer)) ? image[a] : 0xFF)
                    << std::hex << a;
        }
    }
}

TEST(MultiTransferTest, ReadingBackStartsAfterTheLastBlockWritten) {
    const int written = TransferSteps(ETransfer::Write, false);
    const int whole = TransferSteps(ETransfer::Initialise, false);
    const std::tuple<ETransfer, bool, int, bool> cases[] = {
        {ETransfer::Write, true, written - 1, false}, {ETransfer::Write, true, written, true},
        {ETransfer::Write, false, written, false},    {ETransfer::Read, true, written, false},
        {ETransfer::Initialise, true, whole - 1, false}};
    for (const auto& [transfer, verify, position, readingBack] : cases)
        EXPECT_EQ(ReadingBack(transfer, verify, position), readingBack)
            << static_cast<int>(transfer) << " " << verify << " " << position;
}

} // namespace
} // namespace tarsel
