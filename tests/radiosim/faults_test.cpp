#include "rawclient.h"

#include <gtest/gtest.h>

// The faults whose effect the link and command-line tests pin through the program's own serial
// layer (silence, short identification, wrong acknowledges, stalls, hang-ups, corrupted writes)
// are not repeated here.
namespace radiosim::test {
namespace {

TEST(RadioSimFaults, StrayBytesComeBeforeTheFirstPgOfTheFaultyExchangeOnly) {
    CVirtualRadio radio(CConfig{.faults = {.strayBytes = 2, .badAckBlock = 0, .exchange = 1}});
    radio.Start();
    for (int exchange = 0; exchange < 3; ++exchange) {
        SCOPED_TRACE(exchange);
        CRawClient client(radio.DevicePath());
        client.WriteSlowly(kWakeUp);
        if (exchange == 1) {
            EXPECT_EQ(client.Read(4), B(std::string_view("\0\0PG", 4)));
            // A host that lost "PG" among the strays tries again, within the same exchange.
            client.WriteSlowly(kWakeUp);
        }
        EXPECT_EQ(client.Read(2), kPg);
        EXPECT_TRUE(client.Quiet());
        client.Write({0x02});
        ASSERT_EQ(client.Read(32).size(), 32u);
        client.Write(kAckByte);
        ASSERT_EQ(client.Read(1), kAckByte);
        EXPECT_EQ(client.WriteBlock(0x0000, {0x01}), exchange == 1 ? Bytes{0x42} : kAckByte);
        client.Write(B("ENDW"));
        ASSERT_TRUE(radio.WaitFor([=](const CCounters& c) { return c.endWrites > exchange; }, 2s));
    }
    EXPECT_EQ(radio.Counters().exchanges, 3);
}

} // namespace
} // namespace radiosim::test
