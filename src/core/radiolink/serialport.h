// The serial port every exchange with the radio goes through, and the millisecond stopwatch that
// bounds the wait for the wake-up reply. The exchanges are written against CSerialPort only, so
// that unit tests can run them over a scripted port in virtual time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

class CCancelToken;

// Why a port could not be opened. Kept as data: the words are chosen where they are shown.
enum class EOpenFailure {
    None,             // the port is open
    NoPortConfigured, // the port name names no device (COM0, COM17 without a mapping, junk)
    NoSuchDevice,     // the device file is missing or its hardware is gone
    PermissionDenied, // the user may not open the device
    HeldElsewhere,    // another program, or another exchange, holds the port
    NotATerminal,     // the path exists but is not a serial device
    SystemError,      // anything else; see error
};

struct COpenResult {
    EOpenFailure failure = EOpenFailure::None;
    std::string portName; // as the exchange asked for it ("COM3", "\\.\COM12", "/dev/ttyUSB0")
    std::string device;   // the device path it resolved to; empty when it resolved to none
    std::string group;    // group owning the device, when permission was denied and it is known
    int error = 0;        // errno of the failing call, 0 when there is none

    bool Succeeded() const { return failure == EOpenFailure::None; }
};

// A short English cause for a log or a message's second line, for example
// "/dev/ttyUSB0: held by another program" or "no port configured (COM0)".
std::string DescribeOpenFailure(const COpenResult& result);

class CSerialPort {
public:
    // Counts per second of the default monotonic clock (nanoseconds).
    static constexpr std::int64_t kDefaultCounterFrequency = 1'000'000'000;

    CSerialPort() = default;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;
    virtual ~CSerialPort() = default;

    // Opens the port exclusively; an open port is closed first.
    [[nodiscard]] virtual COpenResult OpenRadioPort(std::string_view portName) = 0;
    // 9600 baud, 8-N-1, raw. Returns false when the line settings could not be applied; the
    // exchanges go on regardless and fail at their first missing reply.
    virtual bool ConfigureRadioPort() = 0;
    // Drops whatever is queued in both directions.
    virtual void PurgeRadioPort() = 0;
    // Sends n bytes within 50 ms per byte + 50 ms; returns how many left the port.
    virtual std::size_t WriteBytes(const std::uint8_t* bytes, std::size_t n) = 0;
    // Receives up to n bytes: returns as soon as n have arrived, 100 ms after the last byte once
    // one has arrived, and in any case after 50 ms per byte + 100 ms. Returns how many arrived;
    // positions past that keep what the buffer held.
    virtual std::size_t ReadBytes(std::uint8_t* buffer, std::size_t n) = 0;
    // Safe to call at any time, also when the port is not open.
    virtual void CloseRadioPort() = 0;
    virtual bool IsOpen() const = 0;

    // Time, overridable so that a scripted port can run an exchange in virtual time.
    virtual void Pause(int ms);
    virtual std::int64_t QueryCounterFrequency() const { return kDefaultCounterFrequency; }
    virtual std::int64_t QueryCounter() const;

    // While a token is set, a cancel request ends the wait of a read at once (the read returns
    // what it has); the exchange then stops at its next step. nullptr: nothing can cancel.
    void UseCancelToken(const CCancelToken* token) { cancel_ = token; }
    const CCancelToken* CancelToken() const { return cancel_; }
    bool CancelRequested() const;

private:
    const CCancelToken* cancel_ = nullptr;
};

// Milliseconds since Start(), read from the port's clock.
class Stopwatch {
public:
    explicit Stopwatch(const CSerialPort& port) : port_(port) {}

    void Start();
    // (now - start) * 1000 / frequency, truncated. Multiplying first keeps sub-millisecond
    // counter ticks; 64 bits hold a few GHz of counter for months.
    std::int64_t ElapsedMs() const;

private:
    const CSerialPort& port_;
    std::int64_t frequency_ = CSerialPort::kDefaultCounterFrequency;
    std::int64_t start_ = 0;
};

} // namespace tarsel
