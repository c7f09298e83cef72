#pragma once

// The host's side in its barest form, so these tests do not lean on the program's own serial
// layer: open the device raw, write bytes, read with poll.

#include "radiosim/virtualradio.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace radiosim::test {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

inline Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline const Bytes kWakeUp = B("\x02PROGRAM");
inline const Bytes kPg = B("PG");
inline const Bytes kAckByte{0x41};

class CRawClient {
public:
    explicit CRawClient(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios raw{};
        if (fd_ < 0 || ::tcgetattr(fd_, &raw) != 0) return;
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
        ::tcflush(fd_, TCIOFLUSH);
    }
    ~CRawClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    CRawClient(const CRawClient&) = delete;
    CRawClient& operator=(const CRawClient&) = delete;

    void Write(const Bytes& bytes) const {
        [[maybe_unused]] const auto written = ::write(fd_, bytes.data(), bytes.size());
    }
    // One byte per write with a pause before each, as the host sends the wake-up.
    void WriteSlowly(const Bytes& bytes) const {
        for (uint8_t byte : bytes) {
            std::this_thread::sleep_for(1ms);
            Write({byte});
        }
    }
    // Returns as soon as `count` bytes are in, or with what came before the time-out.
    Bytes Read(std::size_t count, std::chrono::milliseconds timeout = 2000ms) const {
        Bytes bytes;
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (bytes.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            pollfd fd{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
            uint8_t buffer[64];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }
    bool Quiet() const { return Read(1, 150ms).empty(); }
    // The opening every exchange shares; returns the identification block.
    Bytes Open() const {
        WriteSlowly(kWakeUp);
        if (Read(2) != kPg) return {};
        Write({0x02});
        return Read(32);
    }
    Bytes OpenAndStart() const {
        Bytes ident = Open();
        Write(kAckByte);
        return Read(1) == kAckByte ? ident : Bytes{};
    }
    // Header and data in two writes, as the host sends them; returns the acknowledge.
    Bytes WriteBlock(uint16_t address, const Bytes& data) const {
        Write({'W', static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
               static_cast<uint8_t>(data.size())});
        Write(data);
        return Read(1);
    }

private:
    int fd_;
};

// A started radio with a client on its device.
struct CRig {
    explicit CRig(CConfig config = {}) : radio(std::move(config)), client(Started(radio)) {}
    static std::string Started(CVirtualRadio& radio) {
        radio.Start();
        return radio.DevicePath();
    }
    CVirtualRadio radio;
    CRawClient client;
};

} // namespace radiosim::test
