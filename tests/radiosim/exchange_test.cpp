#include "rawclient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace radiosim::test {
namespace {

Bytes Slice(const MemoryBytes& memory, std::size_t address, std::size_t length) {
    return Bytes(memory.begin() + address, memory.begin() + address + length);
}

TEST(RadioSimIdentBlock, LayoutFollowsConfig) {
    CConfig custom;
    custom.model = "AB-1";
    custom.modelPad = 0xFF;
    custom.firmware = {9, 8, 7, 6, 5, 4, 3, 2}; // the eighth does not fit
    custom.variant = 1;
    custom.bandA = {14400000, 14612500};
    custom.bandB = {0, 99999999};
    const struct {
        const char* name;
        CConfig config;
        Bytes expected;
    } cases[] = {
        {"default", CConfig{},
         Cat(B(std::string_view("TZ-316\0\0", 8)),
             {1,    2,    3,    0xFF, 0xFF, 0xFF, 0xFF, 0,    0x00, 0x00, 0x60, 0x13,
              0x00, 0x00, 0x40, 0x17, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x48})},
        {"custom", custom,
         Cat(B("AB-1\xFF\xFF\xFF\xFF"),
             {9,    8,    7,    6,    5,    4,    3,    1,    0x00, 0x00, 0x40, 0x14,
              0x00, 0x25, 0x61, 0x14, 0x00, 0x00, 0x00, 0x00, 0x99, 0x99, 0x99, 0x99})},
    };
    for (const auto& c : cases) EXPECT_EQ(CRig(c.config).client.Open(), c.expected) << c.name;
}

TEST(RadioSimExchange, WakeUpFoundInNoise) {
    const struct {
        const char* name;
        Bytes before;
    } cases[] = {
        {"nothing", {}},
        {"junk", B("xyzP")},
        {"broken wake-up", B("\x02PRO")},
        {"doubled start byte", B("\x02\x02")},
        {"end marker while idle", B("ENDR")},
    };
    for (const auto& c : cases) {
        CRig rig;
        rig.client.WriteSlowly(Cat(c.before, kWakeUp));
        EXPECT_EQ(rig.client.Read(2), kPg) << c.name;
        EXPECT_TRUE(rig.client.Quiet()) << c.name;
        EXPECT_EQ(rig.radio.Counters().exchanges, 1) << c.name;
    }
}

TEST(RadioSimExchange, EachExchangeOnItsOwnOpenOfThePort) {
    CVirtualRadio radio;
    radio.Start();
    // A pty drops what a session wrote last if the next session purges before the radio has
    // taken it, which a real cable never does; so each session waits for its end marker.
    const auto ended = [&radio](int reads, int writes) {
        return radio.WaitFor(
            [=](const CCounters& c) { return c.endReads == reads && c.endWrites == writes; },
            2000ms);
    };
    {
        CRawClient client(radio.DevicePath());
        ASSERT_FALSE(client.OpenAndStart().empty());
        EXPECT_EQ(client.WriteBlock(0x0010, B("abcd")), kAckByte);
        client.Write(B("ENDW"));
        ASSERT_TRUE(ended(0, 1));
    }
    {
        // The radio-information exchange: no start acknowledge, no blocks.
        CRawClient client(radio.DevicePath());
        EXPECT_EQ(client.Open().size(), 32u);
        client.Write(B("ENDR"));
        ASSERT_TRUE(ended(1, 1));
    }
    {
        CRawClient client(radio.DevicePath());
        ASSERT_FALSE(client.OpenAndStart().empty());
        EXPECT_EQ(client.ReadBlock(0x0010, 4), B("abcd"));
        client.Write(B("ENDR"));
        ASSERT_TRUE(ended(2, 1));
    }
    EXPECT_EQ(radio.Counters().exchanges, 3);
    EXPECT_TRUE(radio.WaitFor([](const CCounters& c) { return c.portCloses == 3; }, 2000ms));
    EXPECT_EQ(radio.Counters().portOpens, 3);
}

TEST(RadioSimExchange, RecordsWhatTheHostSent) {
    CRig rig;
    ASSERT_FALSE(rig.client.OpenAndStart().empty());
    rig.client.ReadBlock(0x3F80, 0x20);
    rig.client.WriteBlock(0x0000, B("xy"));
    rig.client.Write(B("ENDW"));
    ASSERT_TRUE(rig.radio.WaitFor([](const CCounters& c) { return c.endWrites == 1; }, 2000ms));

    using K = EFrameKind;
    const std::vector<std::pair<K, Bytes>> expected{
        {K::WakeUp, kWakeUp},    {K::Identify, {0x02}},
        {K::StartAck, {0x41}},   {K::ReadRequest, {0x52, 0x3F, 0x80, 0x20}},
        {K::ReadAck, {0x41}},    {K::WriteRequest, {0x57, 0x00, 0x00, 0x02, 'x', 'y'}},
        {K::EndWrite, B("ENDW")}};
    std::vector<std::pair<K, Bytes>> received;
    for (const CFrame& frame : rig.radio.ReceivedFrames()) {
        EXPECT_EQ(frame.exchange, 0);
        received.emplace_back(frame.kind, frame.bytes);
    }
    EXPECT_EQ(received, expected);
}

TEST(RadioSimExchange, BadRequestsGetNoAnswer) {
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
        const MemoryBytes memory = rig.radio.Memory();
        EXPECT_EQ(std::count(memory.begin(), memory.end(), 0xFF), 16383) << c.name;
    }
}

TEST(RadioSimExchange, WakeUpMidExchangeBeginsAnother) {
    CRig rig;
    ASSERT_FALSE(rig.client.OpenAndStart().empty());
    rig.client.ReadBlock(0x0000, 32);
    // The host gave up on that exchange without an end marker.
    EXPECT_EQ(rig.client.Open().size(), 32u);
    EXPECT_EQ(rig.radio.Counters().exchanges, 2);
}

TEST(RadioSimMemoryFile, ShortFileIsPaddedAndWritesAreSaved) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("radiosim-" + std::to_string(::getpid()) + ".dat");
    std::ofstream(path, std::ios::binary) << "hello";
    const auto fileBytes = [&path] {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    };
    CConfig config;
    config.memoryPath = path;
    config.saveOnWrite = true;
    CRig rig(config);
    EXPECT_EQ(Slice(rig.radio.Memory(), 0, 6), B("hello\xFF"));

    ASSERT_FALSE(rig.client.OpenAndStart().empty());
    EXPECT_EQ(rig.client.WriteBlock(0x3FFE, B("!!")), kAckByte);
    rig.client.Write(B("ENDW"));
    // The file is replaced whole once the exchange has ended.
    for (int i = 0; i < 200 && fileBytes().size() != kMemorySize; ++i)
        std::this_thread::sleep_for(10ms);
    const Bytes saved = fileBytes();
    ASSERT_EQ(saved.size(), kMemorySize);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 6), B("hello\xFF"));
    EXPECT_EQ(Bytes(saved.end() - 2, saved.end()), B("!!"));
    std::filesystem::remove(path);
}

} // namespace
} // namespace radiosim::test
