// Verified writes and cancelled exchanges over a real pseudo-terminal against the virtual radio.
#include "core/radiolink/canceltoken.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"
#include "radiosim/virtualradio.h"

#include "../core/testimage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using test::RandomImage;

std::unique_ptr<radiosim::CVirtualRadio> StartRadio(radiosim::CFaults faults = {},
                                                    bool pace = false) {
    radiosim::CConfig config;
    config.faults = faults;
    config.pace = pace;
    auto radio = std::make_unique<radiosim::CVirtualRadio>(config);
    radio->Start();
    return radio;
}

void ExpectPortFree(const std::string& device) {
    CPosixSerialPort other;
    const COpenResult reopened = other.OpenRadioPort(device);
    EXPECT_TRUE(reopened.Succeeded()) << DescribeOpenFailure(reopened);
}

TEST(VerifiedWriteTest, ACorruptedBlockFailsNamingTheAddressAndACorrectRadioVerifies) {
    const struct {
        ETransfer transfer;
        int block; // -1: no fault
        int offset;
    } cases[] = {
        {ETransfer::Write, -1, 0},        {ETransfer::Initialise, -1, 0}, {ETransfer::Write, 3, 7},
        {ETransfer::Write, 385, 2}, // in the second range: 0x3F70 is block 384
        {ETransfer::Initialise, 511, 31},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.transfer) << " block " << c.block);
        auto radio = StartRadio({.corruptWriteBlock = c.block, .corruptWriteOffset = c.offset});
        const CMemoryImage image = RandomImage(static_cast<unsigned>(c.block + 100));
        CPosixSerialPort port;
        CTransferWorker worker(c.transfer, image, {.verify = true});
        std::vector<std::pair<int, int>> steps;
        const CExchangeResult result =
            worker.Run(port, radio->DevicePath(), [&](int p, int t) { steps.emplace_back(p, t); });

        // One run for the bar: every step of the write and of the reading back, in order.
        const int total = TransferSteps(c.transfer, true);
        ASSERT_EQ(steps.size(), static_cast<std::size_t>(total));
        for (int i = 0; i < total; ++i)
            EXPECT_EQ(steps[static_cast<std::size_t>(i)], std::make_pair(i + 1, total));
        EXPECT_EQ(worker.Image(), image); // what was sent stays what the caller gave
        EXPECT_FALSE(port.IsOpen());

        if (c.block < 0) {
            EXPECT_TRUE(result.Done()) << DescribeCause(result);
            continue;
        }
        ASSERT_EQ(result.outcome, EExchangeOutcome::VerificationFailed) << DescribeCause(result);
        const auto blocks = BlocksOf(TransferRanges(c.transfer));
        const auto address =
            static_cast<uint16_t>(blocks[static_cast<std::size_t>(c.block)].address + c.offset);
        EXPECT_EQ(result.verification.differing, 1u);
        ASSERT_EQ(result.verification.first.size(), 1u);
        EXPECT_EQ(result.verification.first[0].address, address);
        EXPECT_EQ(result.verification.first[0].written, image[address]);
        EXPECT_EQ(result.verification.first[0].read, static_cast<uint8_t>(~image[address]));
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", address);
        EXPECT_NE(DescribeCause(result).find(hex), std::string::npos) << DescribeCause(result);
    }
}

// Cancels from another thread once the exchange is under way and times press to return.
struct CCancelRun {
    CExchangeResult result;
    std::chrono::milliseconds afterPress{};
};

template <typename Exchange>
CCancelRun CancelDuring(std::chrono::milliseconds after, Exchange exchange) {
    CCancelToken token;
    Clock::time_point pressed;
    std::thread canceller([&] {
        std::this_thread::sleep_for(after);
        pressed = Clock::now();
        token.Cancel();
    });
    CCancelRun run;
    run.result = exchange(token);
    const auto returned = Clock::now();
    canceller.join();
    run.afterPress = std::chrono::duration_cast<std::chrono::milliseconds>(returned - pressed);
    return run;
}

TEST(CancelTest, StopsReadsPromptlyAndFreesThePort) {
    // A bound far above the 200 ms a user is promised, so that a busy machine does not fail it,
    // yet far below the seconds an uncancelled read would take.
    constexpr auto kGenerous = 1000ms;
    const struct {
        const char* name;
        radiosim::CFaults faults;
        std::chrono::milliseconds after;
    } cases[] = {
        {"clone read", {}, 600ms},
        {"silent radio", {.silent = true}, 150ms},
        {"identification never comes", {.identLength = 0}, 300ms}, // a 1.7 s wait
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto radio = StartRadio(c.faults, true);
        const CMemoryImage before = RandomImage(7);
        CMemoryImage image = before;
        CPosixSerialPort port;
        const CCancelRun run = CancelDuring(c.after, [&](const CCancelToken& token) {
            return ReadRadio(port, radio->DevicePath(), image, {}, {.cancel = &token});
        });
        EXPECT_EQ(run.result.outcome, EExchangeOutcome::Cancelled) << DescribeCause(run.result);
        EXPECT_LT(run.afterPress, kGenerous);
        EXPECT_EQ(image, before);
        EXPECT_FALSE(port.IsOpen());
        ExpectPortFree(radio->DevicePath());
    }
}

TEST(CancelTest, ReadingBackStopsButTheWriteWentThroughWhole) {
    auto radio = StartRadio();
    const CMemoryImage image = RandomImage(9);
    const int written = TransferSteps(ETransfer::Write, false);
    CCancelToken token;
    CPosixSerialPort port;
    int last = 0;
    const CExchangeResult result = WriteRadio(port, radio->DevicePath(), image,
                                              [&](int position, int) {
                                                  last = position;
                                                  if (position == written + 5) token.Cancel();
                                              },
                                              {.verify = true, .cancel = &token});
    EXPECT_EQ(result.outcome, EExchangeOutcome::Cancelled) << DescribeCause(result);
    EXPECT_TRUE(result.readingBack);
    EXPECT_EQ(last, written + 5); // not one block more
    ExpectPortFree(radio->DevicePath());
    const auto memory = radio->Memory();
    for (std::size_t i = 0; i < 0x3000; ++i) ASSERT_EQ(memory[i], image[i]) << i;
}

TEST(CancelTest, AWriteIsNeverCutShort) {
    auto radio = StartRadio();
    const CMemoryImage image = RandomImage(8);
    CCancelToken token;
    CPosixSerialPort port;
    // Even when a caller hands a token to a plain write, the write runs to its end.
    const CExchangeResult result = WriteRadio(port, radio->DevicePath(), image,
                                              [&](int position, int) {
                                                  if (position == 10) token.Cancel();
                                              },
                                              {.cancel = &token});
    EXPECT_TRUE(result.Done()) << DescribeCause(result);
    const auto memory = radio->Memory();
    for (std::size_t i = 0; i < 0x3000; ++i) ASSERT_EQ(memory[i], image[i]) << i;
}

} // namespace
} // namespace tarsel
