#include "rawclient.h"

#include <gtest/gtest.h>

namespace radiosim::test {
namespace {

// 40 bytes on the wire take 41.7 ms at 9600 baud; the bounds leave room for a busy machine.
TEST(RadioSimPacing, BlockTakesItsWireTime) {
    CRig rig(CConfig{.pace = true});
    ASSERT_FALSE(rig.client.OpenAndStart().empty());

    const auto start = std::chrono::steady_clock::now();
    rig.client.Write({'R', 0x00, 0x00, 32});
    const Bytes reply = rig.client.Read(36);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(reply.size(), 36u);
    EXPECT_GT(elapsed, 25ms);
    EXPECT_LT(elapsed, 80ms);
}

} // namespace
} // namespace radiosim::test
