// What the serial port asks of the driver on opening and puts back on closing, watched through
// the system-call seam over a real pseudo-terminal. A pseudo-terminal has no modem lines and no
// serial driver flags, so the seam answers those requests as the driver of a USB cable would.
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/transfer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tarsel {
namespace {

class CDriverCalls : public CPosixCalls {
public:
    bool modemLines = true; // TIOCMBIS accepted
    bool serialInfo = true; // TIOCGSERIAL answered
    bool setSerial = true;  // TIOCSSERIAL accepted
    int flags = 0;          // the driver's serial flags
    std::vector<int> modemRequests;
    std::vector<int> serialSets; // flags of each accepted or refused TIOCSSERIAL

    int Control(int fd, unsigned long request, void* argument) override {
        if (request == TIOCMBIS) {
            modemRequests.push_back(*static_cast<int*>(argument));
            return Refuse(modemLines, EINVAL);
        }
        if (request == TIOCGSERIAL) {
            if (!serialInfo) return Refuse(false, ENOTTY);
            *static_cast<serial_struct*>(argument) = serial_struct{};
            static_cast<serial_struct*>(argument)->flags = flags;
            return 0;
        }
        if (request == TIOCSSERIAL) {
            serialSets.push_back(static_cast<serial_struct*>(argument)->flags);
            if (setSerial) flags = static_cast<serial_struct*>(argument)->flags;
            return Refuse(setSerial, EPERM);
        }
        return CPosixCalls::Control(fd, request, argument);
    }

private:
    static int Refuse(bool accepted, int error) {
        if (accepted) return 0;
        errno = error;
        return -1;
    }
};

// A pseudo-terminal with settings no radio link uses, and a descriptor that watches them.
class CTerminal {
public:
    CTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master_);
        ::unlockpt(master_);
        device_ = ::ptsname(master_);
        watcher_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        ::tcgetattr(watcher_, &tio);
        tio.c_lflag |= ICANON | ECHO;
        ::cfsetispeed(&tio, B38400);
        ::cfsetospeed(&tio, B38400);
        ::tcsetattr(watcher_, TCSANOW, &tio);
        found_ = Now();
    }
    ~CTerminal() {
        ::close(watcher_);
        ::close(master_);
    }
    const std::string& Device() const { return device_; }
    void Send(std::string_view bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
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

TEST(SerialSeamTest, RaisesDtrAndRtsAndAsksForLowLatencyToleratingRefusal) {
    const struct {
        const char* name;
        bool modemLines, serialInfo, setSerial;
        int flags;
        bool lowLatencyAsked;
    } cases[] = {
        {"driver takes everything", true, true, true, 0, true},
        {"no modem lines", false, true, true, 0, true},
        {"no serial info", true, false, true, 0, false},
        {"low latency refused", true, true, false, 0, true},
        {"already low latency", true, true, true, ASYNC_LOW_LATENCY, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTerminal terminal;
        CDriverCalls calls;
        calls.modemLines = c.modemLines;
        calls.serialInfo = c.serialInfo;
        calls.setSerial = c.setSerial;
        calls.flags = c.flags;
        CPosixSerialPort port(std::nullopt, calls);
        const COpenResult opened = port.OpenRadioPort(terminal.Device());
        ASSERT_TRUE(opened.Succeeded()) << DescribeOpenFailure(opened);
        EXPECT_EQ(calls.modemRequests, std::vector<int>{TIOCM_DTR | TIOCM_RTS});
        ASSERT_EQ(calls.serialSets.size(), c.lowLatencyAsked ? 1u : 0u);
        if (c.lowLatencyAsked) EXPECT_TRUE(calls.serialSets[0] & ASYNC_LOW_LATENCY);
        EXPECT_TRUE(port.ConfigureRadioPort());
        port.CloseRadioPort();
        // The driver's flags are as they were found; a refused request left nothing to undo.
        EXPECT_EQ(calls.flags, c.flags);
        const std::size_t sets = !c.lowLatencyAsked ? 0 : c.setSerial ? 2 : 1;
        EXPECT_EQ(calls.serialSets.size(), sets);
        EXPECT_TRUE(terminal.AsFound());
    }
}

TEST(SerialSeamTest, TheSettingsFoundAreRestoredOnEveryWayOut) {
    const struct {
        const char* name;
        void (*leave)(std::unique_ptr<CPosixSerialPort>&, const std::string& device);
    } ways[] = {
        {"close", [](auto& port, const std::string&) { port->CloseRadioPort(); }},
        {"destruction", [](auto& port, const std::string&) { port.reset(); }},
        {"opening again",
         [](auto& port, const std::string& device) {
             ASSERT_TRUE(port->OpenRadioPort(device).Succeeded());
         }},
        {"a failed exchange",
         [](auto& port, const std::string& device) {
             port->CloseRadioPort();
             CMemoryImage image;
             // Nobody answers on the other side: the wake-up fails and the exchange closes.
             EXPECT_EQ(ReadRadio(*port, device, image).outcome,
                       EExchangeOutcome::CommunicationError);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        CTerminal terminal;
        CDriverCalls calls;
        auto port = std::make_unique<CPosixSerialPort>(std::nullopt, calls);
        ASSERT_TRUE(port->OpenRadioPort(terminal.Device()).Succeeded());
        ASSERT_TRUE(port->ConfigureRadioPort());
        ASSERT_FALSE(terminal.AsFound()); // the link's settings are in force
        way.leave(port, terminal.Device());
        EXPECT_TRUE(terminal.AsFound());
        port.reset();
        EXPECT_EQ(calls.flags, 0);
    }
}

// A signal arriving mid-read (a terminal resized, a timer) costs the read nothing.
TEST(SerialSeamTest, AnInterruptedWaitOrReadGoesOn) {
    struct CInterrupted : CDriverCalls {
        int polls = 0, reads = 0; // calls still to be interrupted
        int Poll(pollfd* fds, unsigned long count, int timeoutMs) override {
            if (polls-- > 0) return errno = EINTR, -1;
            return CPosixCalls::Poll(fds, count, timeoutMs);
        }
        ssize_t Read(int fd, void* buffer, std::size_t n) override {
            if (reads-- > 0) return errno = EINTR, -1;
            return CPosixCalls::Read(fd, buffer, n);
        }
    } calls;
    CTerminal terminal;
    CPosixSerialPort port(std::nullopt, calls);
    ASSERT_TRUE(port.OpenRadioPort(terminal.Device()).Succeeded());
    ASSERT_TRUE(port.ConfigureRadioPort());
    terminal.Send("PG");
    calls.polls = 2;
    calls.reads = 1;
    uint8_t reply[2] = {};
    EXPECT_EQ(port.ReadBytes(reply, 2), 2u);
    EXPECT_EQ(std::string(reply, reply + 2), "PG");
    EXPECT_LT(calls.polls + calls.reads, 0); // every interruption was met
}

} // namespace
} // namespace tarsel
