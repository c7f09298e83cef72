// The virtual radio seen from the host's side in its barest form (the device opened raw, bytes
// written, reads with poll), so that these tests do not lean on the program's own serial layer.
#include "radiosim/options.h"
#include "radiosim/virtualradio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace radiosim::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }
Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kWakeUp = B("\x02PROGRAM");
const Bytes kPg = B("PG");
const Bytes kAckByte{0x41};

class CRawClient {
public:
    explicit CRawClient(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios raw{};
        if (fd_ < 0 || ::tcgetattr(fd_, &raw) != 0) return;
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
        ::tcflush(fd_, TCIOFLUSH);
    }
    ~CRawClient() { ::close(fd_); }

    void Write(const Bytes& bytes) const {
        [[maybe_unused]] const auto written = ::write(fd_, bytes.data(), bytes.size());
    }
    // One byte per write with a pause before each, as the host sends the wake-up.
    void WriteSlowly(const Bytes& bytes) const {
        for (uint8_t byte : bytes) {
            std::this_thread::sleep_for(1ms);
            Write({byte});
        }
    }
    // Returns as soon as `count` bytes are in, or with what came before the time-out.
    Bytes Read(std::size_t count, std::chrono::milliseconds timeout = 2000ms) const {
        Bytes bytes;
        const auto end = Clock::now() + timeout;
        while (bytes.size() < count) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
            pollfd fd{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
            uint8_t buffer[64];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }
    bool Quiet() const { return Read(1, 150ms).empty(); }
    // The opening every exchange shares; returns the identification block.
    Bytes Open() const {
        WriteSlowly(kWakeUp);
        if (Read(2) != kPg) return {};
        Write({0x02});
        return Read(32);
    }
    Bytes OpenAndStart() const {
        Bytes ident = Open();
        Write(kAckByte);
        return Read(1) == kAckByte ? ident : Bytes{};
    }
    // Header and data in two writes, as the host sends them; returns the acknowledge.
    Bytes WriteBlock(uint16_t address, const Bytes& data) const {
        Write({'W', static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
               static_cast<uint8_t>(data.size())});
        Write(data);
        return Read(1);
    }

private:
    int fd_;
};

// A started radio with a client on its device.
struct CRig {
    explicit CRig(CConfig config = {}) : radio(std::move(config)), client(Started(radio)) {}
    static std::string Started(CVirtualRadio& r) { return r.Start(), r.DevicePath(); }
    CVirtualRadio radio;
    CRawClient client;
};

// Before the wake-up: junk, a broken wake-up, a doubled start byte, an end marker while idle.
TEST(RadioSimExchange, WakeUpFoundInNoise) {
    for (const Bytes& before : {B("xyzP"), B("\x02PRO"), B("\x02\x02"), B("ENDR")}) {
        SCOPED_TRACE(std::string(before.begin(), before.end()));
        CRig rig;
        rig.client.WriteSlowly(Cat(before, kWakeUp));
        EXPECT_EQ(rig.client.Read(2), kPg);
        EXPECT_TRUE(rig.client.Quiet());
        EXPECT_EQ(rig.radio.Counters().exchanges, 1);
    }
}

// The memory file is short: the rest reads as 0xFF, and a write is saved once its exchange ends.
TEST(RadioSimExchange, RecordsWhatTheHostSentInEachExchangeAndSavesWhatItWrote) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("radiosim-" + std::to_string(::getpid()) + ".dat");
    std::ofstream(path, std::ios::binary) << "hello";
    CVirtualRadio radio(CConfig{.memoryPath = path, .saveOnWrite = true});
    radio.Start();
    // A pty drops what a session wrote last if the next session purges before the radio has
    // taken it, which a real cable never does; so each session waits for its end marker.
    const auto ended = [&radio](int n) {
        return radio.WaitFor([=](const CCounters& c) { return c.endReads + c.endWrites == n; },
                             2000ms);
    };
    {
        CRawClient client(radio.DevicePath());
        ASSERT_FALSE(client.OpenAndStart().empty());
        client.Write({'R', 0x3F, 0x80, 0x20});
        EXPECT_EQ(client.Read(36), Cat({'W', 0x3F, 0x80, 0x20}, Bytes(32, 0xFF)));
        client.Write(kAckByte);
        EXPECT_EQ(client.Read(1), kAckByte);
        EXPECT_EQ(client.WriteBlock(0x3FFE, B("xy")), kAckByte);
        client.Write(B("ENDW"));
        ASSERT_TRUE(ended(1));
    }
    {
        // The radio-information exchange: no start acknowledge, no blocks.
        CRawClient client(radio.DevicePath());
        EXPECT_EQ(client.Open().size(), 32u);
        client.Write(B("ENDR"));
        ASSERT_TRUE(ended(2));
    }
    using K = EFrameKind;
    const std::vector<std::tuple<int, K, Bytes>> expected{
        {0, K::WakeUp, kWakeUp},     {0, K::Identify, {0x02}},
        {0, K::StartAck, {0x41}},    {0, K::ReadRequest, {0x52, 0x3F, 0x80, 0x20}},
        {0, K::ReadAck, {0x41}},     {0, K::WriteRequest, {0x57, 0x3F, 0xFE, 0x02, 'x', 'y'}},
        {0, K::EndWrite, B("ENDW")}, {1, K::WakeUp, kWakeUp},
        {1, K::Identify, {0x02}},    {1, K::EndRead, B("ENDR")}};
    std::vector<std::tuple<int, K, Bytes>> received;
    for (const CFrame& frame : radio.ReceivedFrames())
        received.emplace_back(frame.exchange, frame.kind, frame.bytes);
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(radio.WaitFor([](const CCounters& c) { return c.portCloses == 2; }, 2000ms));
    EXPECT_EQ(radio.Counters().portOpens, 2);
    radio.Stop();
    std::ifstream in(path, std::ios::binary);
    const Bytes saved{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(saved.size(), kMemorySize);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 6), B("hello\xFF"));
    EXPECT_EQ(Bytes(saved.end() - 2, saved.end()), B("xy"));
    std::filesystem::remove(path);
}

TEST(RadioSimExchange, BadRequestsGetNoAnswerAndAWakeUpBeginsAnotherExchange) {
    const struct {
        const char* name;
        Bytes request;
    } cases[] = {
        {"read of no bytes", {'R', 0x00, 0x00, 0}},
        {"read longer than a block", {'R', 0x00, 0x00, 33}},
        {"read past the end", {'R', 0x3F, 0xF0, 32}},
        {"write of no bytes", {'W', 0x00, 0x00, 0}},
        {"write longer than a block", Cat({'W', 0x00, 0x00, 40}, Bytes(40, 0x11))},
        {"write past the end", {'W', 0x3F, 0xFF, 2, 0x11, 0x11}},
    };
    for (const auto& c : cases) {
        CRig rig;
        ASSERT_FALSE(rig.client.OpenAndStart().empty());
        rig.client.Write(c.request);
        EXPECT_TRUE(rig.client.Quiet()) << c.name;
        // The refused frame was swallowed whole: the next request is understood.
        EXPECT_EQ(rig.client.WriteBlock(0x0000, {0x22}), kAckByte) << c.name;
        EXPECT_EQ(rig.radio.Counters().ignoredRequests, 1) << c.name;
        EXPECT_EQ(std::ranges::count(rig.radio.Memory(), 0xFF), 16383) << c.name;
        // A host that gave up on the exchange without an end marker begins another.
        EXPECT_EQ(rig.client.Open().size(), 32u) << c.name;
        EXPECT_EQ(rig.radio.Counters().exchanges, 2) << c.name;
    }
}

// The faults whose effect the link and command-line tests pin through the program's own serial
// layer (silence, short identification, wrong acknowledges, stalls, hang-ups, corrupted writes)
// are not repeated here.
TEST(RadioSimFaults, StrayBytesComeBeforeTheFirstPgOfTheFaultyExchangeOnly) {
    CVirtualRadio radio(CConfig{.faults = {.strayBytes = 2, .badAckBlock = 0, .exchange = 1}});
    radio.Start();
    for (int exchange = 0; exchange < 3; ++exchange) {
        SCOPED_TRACE(exchange);
        CRawClient client(radio.DevicePath());
        if (exchange == 1) {
            client.WriteSlowly(kWakeUp);
            EXPECT_EQ(client.Read(4), B(std::string_view("\0\0PG", 4)));
        }
        // A host that lost "PG" among the strays tries again, within the same exchange; a stray
        // after it would shift the start acknowledge.
        ASSERT_EQ(client.OpenAndStart().size(), 32u);
        EXPECT_EQ(client.WriteBlock(0x0000, {0x01}), exchange == 1 ? Bytes{0x42} : kAckByte);
        client.Write(B("ENDW"));
        ASSERT_TRUE(radio.WaitFor([=](const CCounters& c) { return c.endWrites > exchange; }, 2s));
    }
    EXPECT_EQ(radio.Counters().exchanges, 3);
}

// The identification block follows the configuration. Then eight block reads put 320 bytes on
// the wire: 333 ms at 9600 baud 8-N-1. A busy machine only makes them slower, so the lower bound
// is the wire time itself; the upper one, ten times the wire time, only catches pacing gone wrong
// by an order of magnitude.
TEST(RadioSimExchange, IdentifiesAsConfiguredAndBlocksTakeTheirWireTime) {
    CRig rig(CConfig{.model = "AB-1",
                     .modelPad = 0xFF,
                     .firmware = {9, 8, 7, 6, 5, 4, 3, 2}, // the eighth does not fit
                     .variant = 1,
                     .bandA = {14400000, 14612500},
                     .bandB = {0, 99999999},
                     .pace = true});
    EXPECT_EQ(rig.client.OpenAndStart(),
              Cat(B("AB-1\xFF\xFF\xFF\xFF"),
                  {9,    8,    7,    6,    5,    4,    3,    1,    0x00, 0x00, 0x40, 0x14,
                   0x00, 0x25, 0x61, 0x14, 0x00, 0x00, 0x00, 0x00, 0x99, 0x99, 0x99, 0x99}));
    constexpr int kBlocks = 8;
    const auto start = Clock::now();
    for (int block = 0; block < kBlocks; ++block) {
        rig.client.Write({'R', 0x00, static_cast<uint8_t>(block * 32), 32});
        EXPECT_EQ(rig.client.Read(36).size(), 36u) << block;
    }
    const auto elapsed = Clock::now() - start;
    const auto wire = std::chrono::microseconds(int64_t{kBlocks} * 40 * 10 * 1000000 / 9600);
    EXPECT_GE(elapsed, wire * 95 / 100);
    EXPECT_LT(elapsed, wire * 10);
}

CConfig Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments).config; }

TEST(RadioSimOptions, ValuesReachTheConfig) {
    const CConfig c = Parse({"--link", "/tmp/radio", "--memory=radio.dat", "--save-on-write",
                             "--firmware", "4.5", "--band-a", "144-146.125", "--band-b=430.5-440",
                             "--start-ack", "none", "--bad-ack", "7:0x00", "--stall", "2:0"});
    EXPECT_EQ(c.linkPath, "/tmp/radio");
    EXPECT_EQ(c.memoryPath, "radio.dat");
    EXPECT_TRUE(c.saveOnWrite);
    EXPECT_EQ(c.firmware, (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(c.bandA.low, 14400000u);
    EXPECT_EQ(c.bandA.high, 14612500u);
    EXPECT_EQ(c.bandB.low, 43050000u);
    EXPECT_EQ(c.faults.startAckReply, kNoReply);
    EXPECT_EQ(c.faults.badAckBlock, 7);
    EXPECT_EQ(c.faults.badAckReply, 0);
    EXPECT_EQ(c.faults.stallBlock, 2);
    EXPECT_EQ(c.faults.stallMs, 0); // no pause at all is still a stall

    EXPECT_EQ(Parse({"--bad-ack", "3"}).faults.badAckReply, 0x42);
    const CConfig corrupt = Parse({"--corrupt-write", "12:0x1F"});
    EXPECT_EQ(corrupt.faults.corruptWriteBlock, 12);
    EXPECT_EQ(corrupt.faults.corruptWriteOffset, 31);
    EXPECT_TRUE(Parse({"--firmware", ""}).firmware.empty());
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
}

TEST(RadioSimOptions, BadUsageIsRefused) {
    // clang-format off
    const std::vector<std::vector<std::string>> cases{
        {"--nonsense"}, {"--link"}, {"--pace=1"}, {"--stray", "many"}, {"--stray", "-1"},
        {"--model", "NINECHARS"}, {"--band-a", "136"}, {"--band-a", "1x-2"},
        {"--band-b", "400.123456-480"}, {"--firmware", "1..2"}, {"--firmware", "1.2.3.4.5.6.7.8"},
        {"--ident-length", "33"}, {"--bad-ack", "1:300"}, {"--start-ack", "0x"},
        {"--corrupt-write", "3"}, {"--corrupt-write", "3:32"}};
    // clang-format on
    for (const auto& arguments : cases)
        EXPECT_THROW(ParseCommandLine(arguments), std::invalid_argument) << arguments[0];
}

} // namespace
} // namespace radiosim::test
