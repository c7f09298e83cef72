// The serial layer over real pseudo-terminals: the test holds the master side, the port under test
// opens the slave side as it would open a USB cable's device.
#include "core/radiolink/posixserialport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace tarsel {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class CPty {
public:
    CPty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128] = {};
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
            ::ptsname_r(master_, name, sizeof name) != 0)
            ADD_FAILURE() << "no pseudo-terminal";
        path_ = name;
    }
    ~CPty() { HangUp(); }
    CPty(const CPty&) = delete;
    CPty& operator=(const CPty&) = delete;

    const std::string& Path() const { return path_; }
    int Master() const { return master_; }

    void Send(std::string_view bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Whatever the port sent, waiting up to a second for n bytes.
    std::string Receive(std::size_t n) const {
        std::string got;
        const auto start = Clock::now();
        while (got.size() < n && MsSince(start) < 1000) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            char buffer[512];
            const ssize_t k = ::read(master_, buffer, std::min(sizeof buffer, n - got.size()));
            if (k <= 0) break;
            got.append(buffer, static_cast<std::size_t>(k));
        }
        return got;
    }
    void HangUp() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string path_;
};

class PosixSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        const COpenResult result = port_.OpenRadioPort(pty_.Path());
        ASSERT_TRUE(result.Succeeded()) << DescribeOpenFailure(result);
        ASSERT_TRUE(port_.ConfigureRadioPort());
    }

    CPty pty_;
    CPosixSerialPort port_;
};

TEST(PosixSerialPortOpenTest, ReportsWhyAPortCannotBeOpened) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("tarsel-not-a-tty-" + std::to_string(::getpid())))
                                 .string();
    std::ofstream(file) << "x";
    struct Case {
        std::string name;
        EOpenFailure failure;
    } cases[] = {
        {"COM0", EOpenFailure::NoPortConfigured},
        {"junk", EOpenFailure::NoPortConfigured},
        {"/dev/tarsel-no-such-device", EOpenFailure::NoSuchDevice},
        {file, EOpenFailure::NotATerminal},
        {"/dev/null", EOpenFailure::NotATerminal},
        {"/tmp", EOpenFailure::NotATerminal},
    };
    for (const Case& c : cases) {
        CPosixSerialPort port;
        const COpenResult result = port.OpenRadioPort(c.name);
        EXPECT_EQ(result.failure, c.failure) << c.name << ": " << DescribeOpenFailure(result);
        EXPECT_FALSE(port.IsOpen()) << c.name;
        EXPECT_NE(DescribeOpenFailure(result).find(c.name), std::string::npos) << c.name;
    }
    std::filesystem::remove(file);
}

TEST(PosixSerialPortOpenTest, APortIsHeldExclusively) {
    CPty pty;
    CPosixSerialPort first;
    ASSERT_TRUE(first.OpenRadioPort(pty.Path()).Succeeded());

    CPosixSerialPort second;
    EXPECT_EQ(second.OpenRadioPort(pty.Path()).failure, EOpenFailure::HeldElsewhere);
    EXPECT_FALSE(second.IsOpen());

    // Another process, root included, is kept out too.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CPosixSerialPort other;
        const auto failure = other.OpenRadioPort(pty.Path()).failure;
        ::_exit(failure == EOpenFailure::HeldElsewhere ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // Opening again on the same object lets go of the port first.
    EXPECT_TRUE(first.OpenRadioPort(pty.Path()).Succeeded());
    first.CloseRadioPort();
    first.CloseRadioPort();
    EXPECT_FALSE(first.IsOpen());

    // Once closed, the device is free for any program, locking or not.
    const int plain = ::open(pty.Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_GE(plain, 0);
    if (plain >= 0) ::close(plain);
    EXPECT_TRUE(second.OpenRadioPort(pty.Path()).Succeeded());
}

TEST(PosixSerialPortOpenTest, ADeniedDeviceNamesItsGroup) {
    if (::geteuid() == 0) GTEST_SKIP() << "root is never denied";
    CPty pty;
    ASSERT_EQ(::chmod(pty.Path().c_str(), 0), 0);
    CPosixSerialPort port;
    const COpenResult result = port.OpenRadioPort(pty.Path());
    EXPECT_EQ(result.failure, EOpenFailure::PermissionDenied);
    EXPECT_FALSE(result.group.empty());
}

TEST_F(PosixSerialPortTest, ConfiguresRaw8N1At9600) {
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty_.Master(), &tio), 0); // the slave's settings, seen from the master
    EXPECT_EQ(::cfgetispeed(&tio), B9600);
    EXPECT_EQ(::cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

TEST_F(PosixSerialPortTest, EveryByteValuePassesBothWays) {
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<char>(i);

    pty_.Send(all);
    std::array<std::uint8_t, 256> in{};
    const auto start = Clock::now();
    ASSERT_EQ(port_.ReadBytes(in.data(), in.size()), in.size());
    EXPECT_LT(MsSince(start), 1000); // as soon as the bytes are there: not the total time-out
    EXPECT_EQ(std::string(in.begin(), in.end()), all);

    const auto* out = reinterpret_cast<const std::uint8_t*>(all.data());
    EXPECT_EQ(port_.WriteBytes(out, all.size()), all.size());
    EXPECT_EQ(pty_.Receive(all.size()), all);
}

TEST_F(PosixSerialPortTest, AReadEndsAnIntervalAfterTheLastByte) {
    pty_.Send("PG");
    std::array<std::uint8_t, 32> buffer;
    buffer.fill(0xAA);
    const auto start = Clock::now();
    EXPECT_EQ(port_.ReadBytes(buffer.data(), buffer.size()), 2u);
    const auto elapsed = MsSince(start);
    EXPECT_GE(elapsed, 90);
    EXPECT_LT(elapsed, 1000);
    EXPECT_EQ(buffer[0], 'P');
    EXPECT_EQ(buffer[1], 'G');
    for (std::size_t i = 2; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xAA) << i;
}

TEST_F(PosixSerialPortTest, ASilentRadioCostsTheTotalTimeOut) {
    struct Case {
        std::size_t n;
        long long atLeastMs, belowMs;
    } cases[] = {{1, 140, 1000}, {32, 1680, 3000}};
    for (const Case& c : cases) {
        std::array<std::uint8_t, 32> buffer;
        buffer.fill(0x5A);
        const auto start = Clock::now();
        EXPECT_EQ(port_.ReadBytes(buffer.data(), c.n), 0u);
        const auto elapsed = MsSince(start);
        EXPECT_GE(elapsed, c.atLeastMs) << c.n;
        EXPECT_LT(elapsed, c.belowMs) << c.n;
        for (const auto byte : buffer) EXPECT_EQ(byte, 0x5A);
    }
}

TEST_F(PosixSerialPortTest, TricklingBytesDoNotStretchTheTotalTimeOut) {
    // One byte per 70 ms: each arrives inside the interval, but 20 of them need 1.4 s while a
    // 20-byte read may take only 1.1 s.
    std::thread radio([this] {
        for (int i = 0; i < 20; ++i) {
            pty_.Send("x");
            std::this_thread::sleep_for(std::chrono::milliseconds(70));
        }
    });
    std::array<std::uint8_t, 20> buffer{};
    const auto start = Clock::now();
    const std::size_t received = port_.ReadBytes(buffer.data(), buffer.size());
    const auto elapsed = MsSince(start);
    radio.join();
    // The count is the rule: a busy machine only slows the trickle further. The time guards
    // against a read that never ends, not against a slow one.
    EXPECT_LT(received, 20u);
    EXPECT_LT(elapsed, 10000);
}

TEST_F(PosixSerialPortTest, AHangUpEndsAReadAtOnce) {
    std::thread cable([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        pty_.HangUp();
    });
    std::array<std::uint8_t, 32> buffer;
    buffer.fill(0x11);
    const auto start = Clock::now();
    const std::size_t received = port_.ReadBytes(buffer.data(), buffer.size());
    const auto readMs = MsSince(start);
    cable.join();
    EXPECT_EQ(received, 0u);
    EXPECT_LT(readMs, 1000); // not the 1.7 s of a silent radio
    for (const auto byte : buffer) EXPECT_EQ(byte, 0x11);

    // Everything after the hang-up ends at once as well, and closing is clean.
    const std::uint8_t request[4] = {'R', 0x3F, 0x80, 0x20};
    const auto again = Clock::now();
    EXPECT_EQ(port_.ReadBytes(buffer.data(), buffer.size()), 0u);
    port_.WriteBytes(request, sizeof request);
    port_.PurgeRadioPort();
    EXPECT_LT(MsSince(again), 1000);
    port_.CloseRadioPort();
    EXPECT_FALSE(port_.IsOpen());
}

TEST_F(PosixSerialPortTest, PurgeDropsQueuedInput) {
    pty_.Send("OLD");
    port_.PurgeRadioPort();
    pty_.Send("NEW");
    std::array<std::uint8_t, 8> buffer{};
    ASSERT_EQ(port_.ReadBytes(buffer.data(), buffer.size()), 3u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 3), "NEW");
}

} // namespace
} // namespace tarsel
