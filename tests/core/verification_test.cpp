// Comparing what was sent with what the radio reads back.
#include "core/radiolink/verification.h"

#include "core/radiolink/transfer.h"
#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(VerificationTest, CountsEveryDifferenceInsideTheRangesAndKeepsTheLowest) {
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
}

TEST(VerificationTest, TheImageAsMadeIsSentAndReadBackAfterTheRadioSettles) {
    using test::CFakePort;
    CFakePort port;
    test::CScriptedRadio radio(port);
    CMemoryImage image = test::RandomImage(6);
    const CMemoryImage snapshot = image;
    CTransferWorker worker(ETransfer::Write, image, {.verify = true});
    image.Fill(0x00);
    ASSERT_TRUE(worker.Run(port, "COM1").Done());
    EXPECT_EQ(radio.Memory()[0x0100], snapshot[0x0100]);
    EXPECT_EQ(worker.Image(), snapshot);
    EXPECT_EQ(radio.Counters().endReads, 1);
    // Opening the port purges it: without a pause the end marker could still be queued.
    using EKind = CFakePort::CEvent::EKind;
    const auto closed = std::ranges::find(port.events, EKind::Close, &CFakePort::CEvent::kind);
    int64_t pausedMs = 0;
    for (auto it = closed; it != port.events.end() && it->kind != EKind::Open; ++it)
        if (it->kind == EKind::Pause) pausedMs += it->value;
    EXPECT_GE(pausedMs, 100);
}

TEST(VerificationTest, DescriptionNamesCountAddressesAndBytes) {
    CVerification one{.differing = 1, .first = {{0x0025, 0x3C, 0xC3}}};
    EXPECT_EQ(DescribeVerification(one), "1 byte differs: 0x0025 written 0x3C read 0xC3");
    CVerification many{.differing = 9, .first = {{0x0001, 0x00, 0xFF}, {0x3F80, 0xAB, 0x54}}};
    EXPECT_EQ(DescribeVerification(many),
              "9 bytes differ: 0x0001 written 0x00 read 0xFF, 0x3F80 written 0xAB read 0x54, ...");
}

} // namespace
} // namespace tarsel
