// The serial port over real pseudo-terminals, and the exchanges through it with the virtual radio.
// Alone, the port opens the slave side as it would open a USB cable's device while the test holds
// the master side; what the port asks of the driver goes through the system-call seam, which
// answers the requests a pseudo-terminal lacks (modem lines, serial flags) as a USB cable would.
#include "core/image/bcd.h"
#include "core/radiolink/canceltoken.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/transfer.h"
#include "radiosim/virtualradio.h"

#include "../core/testimage.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::InRanges;
using test::RandomImage;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A second descriptor on the slave watches its settings, first set to ones no radio link uses.
class CTerminal {
public:
    CTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            ADD_FAILURE() << "no pseudo-terminal";
        device_ = ::ptsname(master_);
        watcher_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio = Now();
        tio.c_lflag |= ICANON | ECHO;
        ::cfsetispeed(&tio, B38400);
        ::cfsetospeed(&tio, B38400);
        ::tcsetattr(watcher_, TCSANOW, &tio);
        found_ = Now();
    }
    ~CTerminal() {
        ::close(watcher_);
        HangUp();
    }

    const std::string& Device() const { return device_; }
    void Send(std::string_view bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // Whatever the port sent, waiting up to a second for n bytes.
    std::string Receive(std::size_t n) const {
        std::string got(n, '\0');
        std::size_t at = 0;
        pollfd p{master_, POLLIN, 0};
        for (ssize_t k = 1; k > 0 && at != n && ::poll(&p, 1, 1000) > 0;) {
            k = ::read(master_, got.data() + at, n - at);
            at += static_cast<std::size_t>(std::max<ssize_t>(k, 0));
        }
        return got.substr(0, at);
    }
    void HangUp() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }
    termios Now() const {
        termios tio{};
        ::tcgetattr(watcher_, &tio);
        return tio;
    }
    bool AsFound() const {
        const termios now = Now();
        return ::cfgetospeed(&now) == ::cfgetospeed(&found_) && now.c_lflag == found_.c_lflag &&
               now.c_iflag == found_.c_iflag && now.c_cflag == found_.c_cflag;
    }

private:
    int master_ = -1;
    int watcher_ = -1;
    std::string device_;
    termios found_{};
};

class CDriverCalls : public CPosixCalls {
public:
    bool modemLines = true; // TIOCMBIS accepted
    bool serialInfo = true; // TIOCGSERIAL answered
    bool setSerial = true;  // TIOCSSERIAL accepted
    int flags = 0;          // the driver's serial flags
    // Kept apart from the real exclusive mode, which never binds root.
    bool exclusive = false;
    std::vector<int> modemRequests;
    std::vector<int> serialSets; // flags of each accepted or refused TIOCSSERIAL
    int openError = 0;
    int polls = 0, reads = 0; // calls still to be interrupted, as by a signal

    int Open(const char* path, int flags) override {
        if (openError != 0) return errno = openError, -1;
        return CPosixCalls::Open(path, flags);
    }
    int Poll(pollfd* fds, unsigned long count, int timeoutMs) override {
        if (polls-- > 0) return errno = EINTR, -1;
        return CPosixCalls::Poll(fds, count, timeoutMs);
    }
    ssize_t Read(int fd, void* buffer, std::size_t n) override {
        if (reads-- > 0) return errno = EINTR, -1;
        return CPosixCalls::Read(fd, buffer, n);
    }
    int Control(int fd, unsigned long request, void* argument) override {
        auto* serial = static_cast<serial_struct*>(argument);
        if (request == TIOCEXCL || request == TIOCNXCL) exclusive = request == TIOCEXCL;
        if (request == TIOCMBIS) modemRequests.push_back(*static_cast<int*>(argument));
        if (request == TIOCSSERIAL) serialSets.push_back(serial->flags);
        if (request == TIOCMBIS && !modemLines) return errno = EINVAL, -1;
        if (request == TIOCGSERIAL && !serialInfo) return errno = ENOTTY, -1;
        if (request == TIOCSSERIAL && !setSerial) return errno = EPERM, -1;
        if (request == TIOCGSERIAL) *serial = serial_struct{.flags = flags};
        if (request == TIOCSSERIAL) flags = serial->flags;
        if (request == TIOCMBIS || request == TIOCGSERIAL || request == TIOCSSERIAL) return 0;
        return CPosixCalls::Control(fd, request, argument);
    }
};

TEST(PosixSerialPortOpenTest, ReportsWhyAPortCannotBeOpened) {
    CTerminal pty;
    const struct {
        std::string name;
        int openError; // the driver's answer to the open
        EOpenFailure failure;
    } cases[] = {
        {"junk", 0, EOpenFailure::NoPortConfigured},
        {"/dev/tarsel-no-such-device", 0, EOpenFailure::NoSuchDevice},
        {"/dev/null", 0, EOpenFailure::NotATerminal},
        {"/tmp", 0, EOpenFailure::NotATerminal},
        {pty.Device(), EACCES, EOpenFailure::PermissionDenied},
        {pty.Device(), EBUSY, EOpenFailure::HeldElsewhere},
        {pty.Device(), EIO, EOpenFailure::SystemError},
    };
    for (const auto& c : cases) {
        CDriverCalls calls;
        calls.openError = c.openError;
        CPosixSerialPort port(std::nullopt, calls);
        const COpenResult result = port.OpenRadioPort(c.name);
        EXPECT_EQ(result.failure, c.failure) << c.name << ": " << DescribeOpenFailure(result);
        EXPECT_FALSE(port.IsOpen()) << c.name;
        EXPECT_NE(DescribeOpenFailure(result).find(c.name), std::string::npos) << c.name;
        EXPECT_EQ(result.group.empty(), c.openError != EACCES) << c.name;
    }
}

// Whatever the driver grants, and whichever way the port is left, the terminal settings and the
// driver's flags are put back as they were found.
TEST(SerialSeamTest, RaisesDtrAndRtsAndAsksForLowLatencyToleratingRefusal) {
    enum ELeave { kClose, kDestroy, kReopen };
    const struct {
        const char* name;
        bool modemLines, serialInfo, setSerial;
        int flags;
        bool lowLatencyAsked;
        ELeave leave;
    } cases[] = {
        {"driver takes everything", true, true, true, 0, true, kDestroy},
        {"no modem lines", false, true, true, 0, true, kClose},
        {"no serial info", true, false, true, 0, false, kClose},
        {"low latency refused", true, true, false, 0, true, kClose},
        {"already low latency", true, true, true, ASYNC_LOW_LATENCY, false, kReopen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTerminal terminal;
        CDriverCalls calls;
        calls.modemLines = c.modemLines;
        calls.serialInfo = c.serialInfo;
        calls.setSerial = c.setSerial;
        calls.flags = c.flags;
        auto port = std::make_unique<CPosixSerialPort>(std::nullopt, calls);
        const COpenResult opened = port->OpenRadioPort(terminal.Device());
        ASSERT_TRUE(opened.Succeeded()) << DescribeOpenFailure(opened);
        EXPECT_TRUE(calls.exclusive);
        EXPECT_EQ(calls.modemRequests, std::vector<int>{TIOCM_DTR | TIOCM_RTS});
        ASSERT_EQ(calls.serialSets.size(), c.lowLatencyAsked ? 1u : 0u);
        if (c.lowLatencyAsked) EXPECT_TRUE(calls.serialSets[0] & ASYNC_LOW_LATENCY);

        ASSERT_TRUE(port->ConfigureRadioPort());
        const termios tio = terminal.Now();
        EXPECT_EQ(::cfgetispeed(&tio), B9600);
        EXPECT_EQ(::cfgetospeed(&tio), B9600);
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);

        if (c.leave == kClose) port->CloseRadioPort();
        if (c.leave == kDestroy) port.reset();
        if (c.leave == kReopen) ASSERT_TRUE(port->OpenRadioPort(terminal.Device()).Succeeded());
        EXPECT_TRUE(terminal.AsFound());
        port.reset();
        EXPECT_FALSE(calls.exclusive);
        // A refused request left nothing to undo.
        EXPECT_EQ(calls.flags, c.flags);
        EXPECT_EQ(calls.serialSets.size(), !c.lowLatencyAsked ? 0u : c.setSerial ? 2u : 1u);
    }
}

class PosixSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        const COpenResult result = port_.OpenRadioPort(pty_.Device());
        ASSERT_TRUE(result.Succeeded()) << DescribeOpenFailure(result);
        ASSERT_TRUE(port_.ConfigureRadioPort());
    }

    CTerminal pty_;
    CDriverCalls calls_;
    CPosixSerialPort port_{std::nullopt, calls_};
};

// What the radio sends, all at once or a byte per gap, against a read of n bytes: the read ends as
// soon as it has them, an interval after the last byte, at its total time-out, or at once when
// the cable is pulled. A signal arriving mid-read (a terminal resized, a timer) costs it nothing.
TEST_F(PosixSerialPortTest, AReadEndsWhenCompleteOrAnIntervalAfterTheLastByteOrAtItsTimeOut) {
    CPosixSerialPort other;
    EXPECT_EQ(other.OpenRadioPort(pty_.Device()).failure, EOpenFailure::HeldElsewhere);
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<char>(i);
    EXPECT_EQ(port_.WriteBytes(reinterpret_cast<const std::uint8_t*>(all.data()), all.size()),
              all.size());
    EXPECT_EQ(pty_.Receive(all.size()), all);
    const struct {
        const char* name;
        std::string sent;
        int gapMs; // -1: the cable is pulled
        std::size_t n, atLeast, atMost;
        long long atLeastMs, belowMs;
    } cases[] = {
        {"a stale input purged", "PG", 0, 32, 2, 2, 90, 1000},
        {"every byte value", all, 0, 256, 256, 256, 0, 1000},
        {"silence for one byte", "", 0, 1, 0, 0, 140, 1000},
        {"silence for a block", "", 0, 32, 0, 0, 1680, 3000},
        // Each byte comes inside the interval, but 20 of them need 1.4 s while a 20-byte read
        // may take only 1.1 s. A busy machine only slows the trickle further, so the count is
        // the rule; the time guards against a read that never ends.
        {"a trickle", std::string(20, 'x'), 70, 20, 1, 19, 0, 10000},
        {"a hang-up", "", -1, 32, 0, 0, 0, 1000}, // not the 1.7 s of a silent radio
    };
    pty_.Send("OLD");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        port_.PurgeRadioPort();
        std::thread radio([&] {
            if (c.gapMs == 0) return pty_.Send(c.sent);
            for (const char byte : c.sent) {
                pty_.Send(std::string(1, byte));
                std::this_thread::sleep_for(std::chrono::milliseconds(c.gapMs));
            }
            if (c.gapMs < 0) pty_.HangUp();
        });
        calls_.polls = 2;
        calls_.reads = 1;
        std::array<std::uint8_t, 256> buffer;
        buffer.fill(0xAA);
        const auto start = Clock::now();
        const std::size_t got = port_.ReadBytes(buffer.data(), c.n);
        const auto elapsed = MsSince(start);
        radio.join();
        EXPECT_GE(got, c.atLeast);
        EXPECT_LE(got, c.atMost);
        EXPECT_GE(elapsed, c.atLeastMs);
        EXPECT_LT(elapsed, c.belowMs);
        EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + got), c.sent.substr(0, got));
        for (std::size_t i = got; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xAA) << i;
        EXPECT_LT(calls_.polls, 0); // every interruption was met
        if (got > 0) EXPECT_LT(calls_.reads, 0);
    }

    // Everything after the hang-up ends at once as well, and closing is clean.
    const auto again = Clock::now();
    std::uint8_t buffer[32];
    EXPECT_EQ(port_.ReadBytes(buffer, sizeof buffer), 0u);
    port_.WriteBytes(reinterpret_cast<const std::uint8_t*>(all.data()), 4);
    port_.PurgeRadioPort();
    EXPECT_LT(MsSince(again), 1000);
}

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
    } cases[] = {
        {"silent", false, {.silent = true}, ELinkFault::NoWakeUpReply},
        {"stall inside a read block", false, {.stallBlock = 2, .stallMs = 400},
         ELinkFault::ShortBlock, 0x0040},
        {"stall before a write acknowledge", true, {.stallBlock = 2, .stallMs = 400},
         ELinkFault::BlockNotAcknowledged, 0x0040},
        {"hang-up while writing", true, {.hangUpBlock = 5}, ELinkFault::BlockNotAcknowledged,
         0x00A0},
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
        if (c.faults.hangUpBlock >= 0)
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
}

} // namespace
} // namespace tarsel
