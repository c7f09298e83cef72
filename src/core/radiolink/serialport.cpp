#include "core/radiolink/serialport.h"

#include "core/radiolink/canceltoken.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace tarsel {

namespace {

// strerror_r comes in two kinds: the GNU one returns the text (perhaps a static one instead of
// the buffer), the POSIX one fills the buffer and returns 0.
[[maybe_unused]] std::string ErrorTextOf(const char* text, const char*) { return text ? text : ""; }
[[maybe_unused]] std::string ErrorTextOf(int failed, const char* buffer) {
    return failed ? std::string("unknown error") : std::string(buffer);
}

std::string ErrorText(int error) {
    char buffer[256] = {};
    return ErrorTextOf(strerror_r(error, buffer, sizeof buffer), buffer);
}

} // namespace

std::string DescribeOpenFailure(const COpenResult& result) {
    const std::string& where = result.device.empty() ? result.portName : result.device;
    switch (result.failure) {
    case EOpenFailure::None:
        return where + ": open";
    case EOpenFailure::NoPortConfigured:
        return "no port configured (" + result.portName + ")";
    case EOpenFailure::NoSuchDevice:
        return where + ": no such device: no programming cable there; check that the cable is "
                       "plugged in and that the device path is right (section \"Ports\" of the "
                       "settings file maps COMn=PATH)";
    case EOpenFailure::PermissionDenied:
        if (result.group.empty())
            return where + ": permission denied: add your user to the dialout group";
        return where + ": permission denied: add your user to the " + result.group + " group";
    case EOpenFailure::HeldElsewhere:
        return where + ": held by another program";
    case EOpenFailure::NotATerminal:
        return where + ": not a terminal";
    case EOpenFailure::SystemError:
        break;
    }
    return where + ": " + ErrorText(result.error);
}

bool CSerialPort::CancelRequested() const { return cancel_ && cancel_->Requested(); }

void CSerialPort::Pause(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t CSerialPort::QueryCounter() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

void Stopwatch::Start() {
    frequency_ = port_.QueryCounterFrequency();
    start_ = port_.QueryCounter();
}

std::int64_t Stopwatch::ElapsedMs() const {
    if (frequency_ <= 0) return 0;
    return (port_.QueryCounter() - start_) * 1000 / frequency_;
}

} // namespace tarsel
