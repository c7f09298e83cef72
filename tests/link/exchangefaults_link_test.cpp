// Every fault of the virtual radio over a real pseudo-terminal: a communication error with its
// cause, the caller's image untouched, no end marker, and the device free again at once.
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/transfer.h"
#include "radiosim/virtualradio.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tarsel {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

enum class EJob { Read, Write };

struct CCase {
    const char* name;
    EJob job;
    radiosim::CFaults faults;
    ELinkFault expected;
    uint16_t address = 0;
    bool hangsUp = false;
};

// The faults only a real line shows: time-outs, stalls and a cable pulled mid-block. The fault
// kinds every exchange reports are checked against the scripted radio in the core tests.
const CCase kCases[] = {
    {"silent", EJob::Read, {.silent = true}, ELinkFault::NoWakeUpReply},
    {"stall inside a read block", EJob::Read, {.stallBlock = 2, .stallMs = 400},
     ELinkFault::ShortBlock, 0x0040},
    {"stall before a write acknowledge", EJob::Write, {.stallBlock = 2, .stallMs = 400},
     ELinkFault::BlockNotAcknowledged, 0x0040},
    {"hang-up while reading", EJob::Read, {.hangUpBlock = 5}, ELinkFault::ShortBlock, 0x00A0, true},
    {"hang-up while writing", EJob::Write, {.hangUpBlock = 5}, ELinkFault::BlockNotAcknowledged,
     0x00A0, true},
};

CExchangeResult RunJob(EJob job, CSerialPort& port, const std::string& device,
                       CMemoryImage& image) {
    return job == EJob::Read ? ReadRadio(port, device, image) : WriteRadio(port, device, image);
}

TEST(ExchangeFaultsLinkTest, EveryFaultEndsCleanly) {
    for (const CCase& c : kCases) {
        SCOPED_TRACE(c.name);
        radiosim::CConfig config;
        config.faults = c.faults;
        radiosim::CVirtualRadio radio(config);
        radio.Start();
        CPosixSerialPort port;
        CMemoryImage image;
        image.Fill(0x3C);
        const CMemoryImage before = image;

        const auto start = Clock::now();
        const CExchangeResult result = RunJob(c.job, port, radio.DevicePath(), image);
        const auto elapsed = Clock::now() - start;

        EXPECT_EQ(result.outcome, EExchangeOutcome::CommunicationError);
        EXPECT_EQ(result.fault.kind, c.expected) << DescribeCause(result);
        if (c.address != 0) {
            EXPECT_EQ(result.fault.address, c.address) << DescribeCause(result);
        }
        EXPECT_EQ(image, before);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(radio.WaitFor([](const auto& n) { return n.endReads + n.endWrites > 0; },
                                   milliseconds(200)));
        if (c.expected == ELinkFault::NoWakeUpReply) {
            // Four attempts of 8 paced bytes and two empty 150 ms reads each.
            EXPECT_GT(elapsed, milliseconds(1200));
            EXPECT_LT(elapsed, milliseconds(2500));
            EXPECT_EQ(radio.Counters().wakeUps, 4);
        } else {
            EXPECT_LT(elapsed, milliseconds(2500));
        }
        if (c.hangsUp) {
            EXPECT_TRUE(radio.HungUp());
            continue;
        }
        CPosixSerialPort other;
        const COpenResult reopened = other.OpenRadioPort(radio.DevicePath());
        EXPECT_TRUE(reopened.Succeeded()) << DescribeOpenFailure(reopened);
    }
}

} // namespace
} // namespace tarsel
