// The exchanges over a real pseudo-terminal against the virtual radio: what arrives in the radio
// and in the image, verified writes, cancels, and the faults only a real line shows.
#include "core/image/bcd.h"
#include "core/radiolink/canceltoken.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/transfer.h"
#include "radiosim/virtualradio.h"

#include "../core/testimage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::InRanges;
using test::RandomImage;

std::unique_ptr<radiosim::CVirtualRadio> StartRadio(radiosim::CFaults faults = {},
                                                    bool pace = false) {
    auto radio = std::make_unique<radiosim::CVirtualRadio>(
        radiosim::CConfig{.pace = pace, .faults = faults});
    radio->Start();
    return radio;
}

// The exchange is over: nothing holds the device any more.
void ExpectPortFree(const CPosixSerialPort& port, const std::string& device) {
    EXPECT_FALSE(port.IsOpen());
    CPosixSerialPort other;
    const COpenResult reopened = other.OpenRadioPort(device);
    EXPECT_TRUE(reopened.Succeeded()) << DescribeOpenFailure(reopened);
}

TEST(ExchangeLinkTest, ReadBringsTheRadioIntoTheImage) {
    auto radio = StartRadio();
    CMemoryImage memory = RandomImage(11);
    memory[map::kBandALowTopByte] = 0xFF;
    radio->SetMemory(memory.Bytes());
    const CMemoryImage before = RandomImage(12);
    CMemoryImage image = before;
    CPosixSerialPort port;

    const CExchangeResult result = ReadRadio(port, radio->DevicePath(), image);

    ASSERT_TRUE(result.Done()) << DescribeCause(result);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        if (i >= map::kBandALow && i < map::kBandBLow) continue;
        ASSERT_EQ(image[i], InRanges(i, map::kCloneRanges) ? memory[i] : before[i]) << i;
    }
    // The blank A pair takes the limits the radio names.
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(map::kBandALow)), 13600000);
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(map::kBandAHigh)), 17400000);
    EXPECT_TRUE(radio->WaitFor([](const auto& c) { return c.endReads == 1; }, 20s));
    EXPECT_EQ(radio->Counters().blocksRead, 389);
    ExpectPortFree(port, radio->DevicePath());
}

// One byte of block 385 (in the second range: 0x3F70 is block 384) is stored wrong.
TEST(ExchangeLinkTest, AWriteStoresTheImageAndItsReadingBackNamesACorruptedByte) {
    auto radio = StartRadio({.corruptWriteBlock = 385, .corruptWriteOffset = 2});
    const CMemoryImage image = RandomImage(5);
    CPosixSerialPort port;
    CTransferWorker worker(ETransfer::Write, image, {.verify = true});
    const CExchangeResult result = worker.Run(port, radio->DevicePath(), {});
    EXPECT_EQ(worker.Image(), image); // what was sent stays what the caller gave
    ExpectPortFree(port, radio->DevicePath());

    const auto ranges = TransferRanges(ETransfer::Write);
    const std::size_t corrupted = BlocksOf(ranges)[385].address + 2;
    ASSERT_TRUE(radio->WaitFor([](const auto& n) { return n.endWrites == 1; }, 20s));
    const auto memory = radio->Memory();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        ASSERT_EQ(memory[i], !InRanges(i, ranges) ? 0xFF
                             : i == corrupted     ? static_cast<uint8_t>(~image[i])
                                                  : image[i])
            << i;
    ASSERT_EQ(result.outcome, EExchangeOutcome::VerificationFailed) << DescribeCause(result);
    EXPECT_EQ(result.verification.differing, 1u);
    ASSERT_EQ(result.verification.first.size(), 1u);
    EXPECT_EQ(result.verification.first[0].address, corrupted);
    EXPECT_EQ(result.verification.first[0].written, image[corrupted]);
    EXPECT_EQ(result.verification.first[0].read, memory[corrupted]);
}

// Time-outs, stalls and a cable pulled mid-block: each ends as a communication error with its
// cause, the image untouched, no end marker, and the device free again at once.
TEST(ExchangeLinkTest, EveryFaultOfTheLineEndsCleanly) {
    const struct {
        const char* name;
        bool write;
        radiosim::CFaults faults;
        ELinkFault expected;
        uint16_t address = 0;
        bool hangsUp = false;
    } cases[] = {
        {"silent", false, {.silent = true}, ELinkFault::NoWakeUpReply},
        {"stall inside a read block", false, {.stallBlock = 2, .stallMs = 400},
         ELinkFault::ShortBlock, 0x0040},
        {"stall before a write acknowledge", true, {.stallBlock = 2, .stallMs = 400},
         ELinkFault::BlockNotAcknowledged, 0x0040},
        {"hang-up while writing", true, {.hangUpBlock = 5}, ELinkFault::BlockNotAcknowledged,
         0x00A0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto radio = StartRadio(c.faults);
        CPosixSerialPort port;
        CMemoryImage image = RandomImage(3);
        const CMemoryImage before = image;

        const auto start = Clock::now();
        const CExchangeResult result = c.write ? WriteRadio(port, radio->DevicePath(), image)
                                               : ReadRadio(port, radio->DevicePath(), image);
        const auto elapsed = Clock::now() - start;

        EXPECT_EQ(result.outcome, EExchangeOutcome::CommunicationError);
        EXPECT_EQ(result.fault.kind, c.expected) << DescribeCause(result);
        if (c.address != 0) EXPECT_EQ(result.fault.address, c.address) << DescribeCause(result);
        EXPECT_EQ(image, before);
        EXPECT_FALSE(
            radio->WaitFor([](const auto& n) { return n.endReads + n.endWrites > 0; }, 200ms));
        if (c.expected == ELinkFault::NoWakeUpReply) {
            // Four attempts of 8 paced bytes and two empty 150 ms reads each.
            EXPECT_GT(elapsed, 1200ms);
            EXPECT_EQ(radio->Counters().wakeUps, 4);
        }
        EXPECT_LT(elapsed, 2500ms);
        if (c.hangsUp)
            EXPECT_TRUE(radio->HungUp());
        else
            ExpectPortFree(port, radio->DevicePath());
    }
}

// Pressed during the 1.7 s wait for an identification that never comes, a cancel returns well
// within the 200 ms a user is promised (the bound leaves room for a busy machine).
TEST(CancelTest, EndsTheWaitForAReplyPromptlyAndFreesThePort) {
    auto radio = StartRadio({.identLength = 0}, true);
    const CMemoryImage before = RandomImage(7);
    CMemoryImage image = before;
    CPosixSerialPort port;
    CCancelToken token;
    auto pressed = std::async(std::launch::async, [&token] {
        std::this_thread::sleep_for(300ms);
        token.Cancel();
        return Clock::now();
    });
    const CExchangeResult result =
        ReadRadio(port, radio->DevicePath(), image, {}, {.cancel = &token});
    EXPECT_LT(Clock::now() - pressed.get(), 1000ms);
    EXPECT_EQ(result.outcome, EExchangeOutcome::Cancelled) << DescribeCause(result);
    EXPECT_EQ(image, before);
    ExpectPortFree(port, radio->DevicePath());
}

// A cancel pressed while writing does not cut the write short; it stops the reading back.
TEST(CancelTest, AWriteGoesThroughWholeAndTheReadingBackStops) {
    auto radio = StartRadio();
    const CMemoryImage image = RandomImage(9);
    CCancelToken token;
    CPosixSerialPort port;
    int last = 0;
    const CExchangeResult result = WriteRadio(port, radio->DevicePath(), image,
                                              [&](int position, int) {
                                                  last = position;
                                                  if (position == 10) token.Cancel();
                                              },
                                              {.verify = true, .cancel = &token});
    EXPECT_EQ(result.outcome, EExchangeOutcome::Cancelled) << DescribeCause(result);
    EXPECT_TRUE(result.readingBack);
    EXPECT_EQ(last, TransferSteps(ETransfer::Write, false)); // not one block read back
    ExpectPortFree(port, radio->DevicePath());
    const auto memory = radio->Memory();
    for (std::size_t i = 0; i < 0x3000; ++i) ASSERT_EQ(memory[i], image[i]) << i;
}

} // namespace
} // namespace tarsel
