#include "rawclient.h"

#include <gtest/gtest.h>

// The faults whose effect the link and command-line tests pin through the program's own serial
// layer (silence, short identification, wrong acknowledges, stalls, hang-ups, corrupted writes)
// are not repeated here.
namespace radiosim::test {
namespace {

CConfig WithFaults(const CFaults& faults) {
    CConfig config;
    config.faults = faults;
    return config;
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
