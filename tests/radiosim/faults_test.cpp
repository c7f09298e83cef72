#include "rawclient.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace radiosim::test {
namespace {

CConfig WithFaults(const CFaults& faults) {
    CConfig config;
    config.faults = faults;
    return config;
}

TEST(RadioSimFaults, SilentRadioAnswersNothing) {
    CRig rig(WithFaults({.silent = true}));
    for (int attempt = 0; attempt < 2; ++attempt) {
        rig.client.WriteSlowly(kWakeUp);
        EXPECT_TRUE(rig.client.Quiet(300ms));
    }
    rig.client.Write({0x02});
    EXPECT_TRUE(rig.client.Quiet());
    EXPECT_EQ(rig.radio.Counters().wakeUps, 2);
}

TEST(RadioSimFaults, StrayBytesComeBeforeTheFirstPgOnly) {
    CRig rig(WithFaults({.strayBytes = 3}));
    rig.client.WriteSlowly(kWakeUp);
    EXPECT_EQ(rig.client.Read(5), Cat(Bytes(3, 0x00), kPg));
    // A host that lost "PG" among the strays tries again, within the same exchange.
    rig.client.WriteSlowly(kWakeUp);
    EXPECT_EQ(rig.client.Read(2), kPg);
    EXPECT_TRUE(rig.client.Quiet());
    rig.client.Write({0x02});
    EXPECT_EQ(rig.client.Read(32).size(), 32u);
    EXPECT_EQ(rig.radio.Counters().exchanges, 1);
}

TEST(RadioSimFaults, WrongStartAcknowledge) {
    const struct {
        int reply;
        Bytes expected;
    } cases[] = {{0x00, {0x00}}, {0x42, {0x42}}, {kNoReply, {}}};
    for (const auto& c : cases) {
        CRig rig(WithFaults({.startAckReply = c.reply}));
        ASSERT_EQ(rig.client.Open().size(), 32u);
        rig.client.Write(kAckByte);
        EXPECT_EQ(rig.client.Read(1, 300ms), c.expected) << c.reply;
    }
}

TEST(RadioSimFaults, ShortIdentificationBlock) {
    CRig rig(WithFaults({.identLength = 10}));
    rig.client.WriteSlowly(kWakeUp);
    ASSERT_EQ(rig.client.Read(2), kPg);
    rig.client.Write({0x02});
    EXPECT_EQ(rig.client.Read(32, 500ms), B(std::string_view("TZ-316\0\0\x01\x02", 10)));
    rig.client.Write(kAckByte);
    EXPECT_EQ(rig.client.Read(1), kAckByte);
}

TEST(RadioSimFaults, WrongAcknowledgeAtBlock) {
    for (const bool writing : {false, true}) {
        CRig rig(WithFaults({.badAckBlock = 1}));
        ASSERT_FALSE(rig.client.OpenAndStart().empty());
        for (uint16_t block = 0; block < 3; ++block) {
            Bytes ack;
            if (writing)
                ack = rig.client.WriteBlock(block * 32, Bytes(32, 0x5A));
            else
                rig.client.ReadBlock(block * 32, 32, &ack);
            EXPECT_EQ(ack, block == 1 ? Bytes{0x42} : kAckByte) << writing << " block " << block;
        }
        // The badly acknowledged block was stored all the same.
        EXPECT_EQ(rig.radio.Memory()[32], writing ? 0x5A : 0xFF);
    }
}

TEST(RadioSimFaults, CorruptWriteIsAcknowledgedButStoresOneWrongByte) {
    const struct {
        int offset;
        int expectedAt; // -1: the block is stored as sent
    } cases[] = {{0, 0}, {5, 5}, {15, 15}, {16, -1}};
    for (const auto& c : cases) {
        CRig rig(WithFaults({.corruptWriteBlock = 1, .corruptWriteOffset = c.offset}));
        ASSERT_FALSE(rig.client.OpenAndStart().empty());
        const Bytes data(16, 0x3C);
        for (uint16_t block = 0; block < 3; ++block)
            EXPECT_EQ(rig.client.WriteBlock(block * 16, data), kAckByte) << c.offset;
        const auto memory = rig.radio.Memory();
        for (std::size_t i = 0; i < 48; ++i) {
            const bool corrupted = c.expectedAt >= 0 && i == 16 + std::size_t(c.expectedAt);
            EXPECT_EQ(memory[i], corrupted ? 0xC3 : 0x3C) << c.offset << " at " << i;
        }
    }
}

TEST(RadioSimFaults, HangUpAtBlock) {
    for (const bool writing : {false, true}) {
        const auto link = std::filesystem::temp_directory_path() /
                          ("radiosim-link-" + std::to_string(::getpid()));
        CConfig config = WithFaults({.hangUpBlock = 1});
        config.linkPath = link;
        CVirtualRadio radio(config);
        radio.Start();
        CRawClient client(link);
        ASSERT_FALSE(client.OpenAndStart().empty());
        const Bytes data(16, 0x33);
        if (writing) {
            EXPECT_EQ(client.WriteBlock(0x0000, data), kAckByte);
            client.WriteBlock(0x0010, data);
        } else {
            EXPECT_EQ(client.ReadBlock(0x0000, 16).size(), 16u);
            client.Write({'R', 0x00, 0x10, 16});
        }
        EXPECT_TRUE(client.HungUp()) << writing;
        ASSERT_TRUE(radio.WaitFor([](const CCounters& c) { return c.hungUp; }, 2000ms));
        // The device has gone and stays gone; the block in flight was not stored.
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link))) << writing;
        EXPECT_FALSE(CRawClient(radio.DevicePath()).IsOpen()) << writing;
        EXPECT_EQ(radio.Memory()[0x0010], 0xFF);
    }
}

TEST(RadioSimFaults, StallInsideBlock) {
    constexpr auto kStall = 400ms;
    for (const bool writing : {false, true}) {
        CRig rig(WithFaults({.stallBlock = 0, .stallMs = static_cast<int>(kStall.count())}));
        ASSERT_FALSE(rig.client.OpenAndStart().empty());
        const auto start = std::chrono::steady_clock::now();
        if (writing) {
            EXPECT_EQ(rig.client.WriteBlock(0x0000, Bytes(32, 0x77)), kAckByte);
        } else {
            rig.client.Write({'R', 0x00, 0x00, 32});
            // The header and half the data at once, then a pause before the rest.
            EXPECT_EQ(rig.client.Read(36, 200ms).size(), 4u + 16u);
            EXPECT_EQ(rig.client.Read(16).size(), 16u);
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_GE(elapsed, kStall - 50ms) << writing;
        EXPECT_LT(elapsed, kStall + 1500ms) << writing;
    }
}

TEST(RadioSimFaults, LimitedToOneExchange) {
    CVirtualRadio radio(WithFaults({.strayBytes = 2, .badAckBlock = 0, .exchange = 1}));
    radio.Start();
    for (int exchange = 0; exchange < 3; ++exchange) {
        CRawClient client(radio.DevicePath());
        client.WriteSlowly(kWakeUp);
        EXPECT_EQ(client.Read(exchange == 1 ? 4 : 2),
                  exchange == 1 ? B(std::string_view("\0\0PG", 4)) : kPg);
        client.Write({0x02});
        ASSERT_EQ(client.Read(32).size(), 32u);
        client.Write(kAckByte);
        ASSERT_EQ(client.Read(1), kAckByte);
        EXPECT_EQ(client.WriteBlock(0x0000, {0x01}), exchange == 1 ? Bytes{0x42} : kAckByte)
            << exchange;
        client.Write(B("ENDW"));
    }
}

} // namespace
} // namespace radiosim::test
