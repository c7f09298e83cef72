#include "rawclient.h"

#include <gtest/gtest.h>

namespace radiosim::test {
namespace {

// Eight block reads put 320 bytes on the wire: 333 ms at 9600 baud 8-N-1. A busy machine only
// makes them slower, so the lower bound is the wire time itself; the upper one, ten times the wire
// time, only catches pacing gone wrong by an order of magnitude.
TEST(RadioSimPacing, BlocksTakeTheirWireTime) {
    CRig rig(CConfig{.pace = true});
    ASSERT_FALSE(rig.client.OpenAndStart().empty());

    constexpr int kBlocks = 8;
    const auto start = std::chrono::steady_clock::now();
    for (int block = 0; block < kBlocks; ++block) {
        rig.client.Write({'R', 0x00, static_cast<uint8_t>(block * 32), 32});
        EXPECT_EQ(rig.client.Read(36).size(), 36u) << block;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const auto wire = std::chrono::microseconds(int64_t{kBlocks} * 40 * 10 * 1000000 / 9600);
    EXPECT_GE(elapsed, wire * 95 / 100);
    EXPECT_LT(elapsed, wire * 10);
}

} // namespace
} // namespace radiosim::test
