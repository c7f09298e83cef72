#include "core/radiolink/posixserialport.h"

#include "core/radiolink/canceltoken.h"
#include "core/radiolink/portname.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace tarsel {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kReadInterval{100};
constexpr int kReadMsPerByte = 50;
constexpr int kReadMsConstant = 100;
constexpr int kWriteMsPerByte = 50;
constexpr int kWriteMsConstant = 50;
// One byte on the line at 9600 baud, 8-N-1: ten bits.
constexpr std::chrono::microseconds kByteTime{1042};

// Keeps ms * n + constant far from overflow for absurd requests.
milliseconds TotalTimeout(std::size_t n, int msPerByte, int msConstant) {
    const auto bytes = static_cast<std::int64_t>(std::min<std::size_t>(n, 1'000'000'000));
    return milliseconds(bytes * msPerByte + msConstant);
}

int PollMs(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    // Rounded up: waking early only costs another turn, waking late would stretch the time-out.
    return static_cast<int>(std::chrono::ceil<milliseconds>(left).count());
}

EOpenFailure FailureOf(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return EOpenFailure::NoSuchDevice;
    case EACCES:
    case EPERM:
        return EOpenFailure::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return EOpenFailure::HeldElsewhere;
    case ENOTTY:
        return EOpenFailure::NotATerminal;
    default:
        return EOpenFailure::SystemError;
    }
}

std::string GroupOf(const std::string& device) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) return {};
    struct group entry {};
    struct group* found = nullptr;
    char buffer[4096];
    if (::getgrgid_r(info.st_gid, &entry, buffer, sizeof buffer, &found) != 0 || !found) return {};
    return found->gr_name ? found->gr_name : "";
}

// Opening has side effects on some devices (a watchdog starts counting), so a device the kernel
// files under a class other than tty is never opened. Pseudo-terminals are not filed at all; for
// them, and wherever /sys is missing, isatty after the open decides.
bool FiledOutsideTty(const struct stat& info) {
    char link[64];
    std::snprintf(link, sizeof link, "/sys/dev/char/%u:%u/subsystem", major(info.st_rdev),
                  minor(info.st_rdev));
    char target[256];
    const ssize_t n = ::readlink(link, target, sizeof target);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target) return false;
    const std::string_view cls(target, static_cast<std::size_t>(n));
    return !cls.ends_with("/tty");
}

COpenResult Failed(COpenResult result, int error) {
    result.failure = FailureOf(error);
    result.error = error;
    if (result.failure == EOpenFailure::PermissionDenied) result.group = GroupOf(result.device);
    return result;
}

} // namespace

CPosixSerialPort::CPosixSerialPort(std::optional<CSettingsFile> settings, CPosixCalls& calls)
    : settings_(std::move(settings)), calls_(calls) {}

CPosixSerialPort::~CPosixSerialPort() { CloseRadioPort(); }

COpenResult CPosixSerialPort::OpenRadioPort(std::string_view portName) {
    CloseRadioPort();
    COpenResult result;
    result.portName = portName;
    const auto device = ResolvePortDevice(portName, settings_ ? &*settings_ : nullptr);
    if (!device) {
        result.failure = EOpenFailure::NoPortConfigured;
        return result;
    }
    result.device = *device;

    struct stat info {};
    if (::stat(device->c_str(), &info) != 0) return Failed(result, errno);
    if (!S_ISCHR(info.st_mode) || FiledOutsideTty(info)) return Failed(result, ENOTTY);

    // Non-blocking, so that neither the open (carrier detect) nor a read or write ever waits
    // longer than its time-out.
    const int fd = calls_.Open(device->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Failed(result, errno);
    int error = 0;
    if (!calls_.IsATerminal(fd))
        error = ENOTTY;
    else if (calls_.Lock(fd, LOCK_EX | LOCK_NB) != 0)
        error = errno;
    else if (calls_.Control(fd, TIOCEXCL, nullptr) != 0)
        error = errno;
    if (error != 0) {
        calls_.Close(fd);
        return Failed(result, error);
    }
    fd_ = fd;
    PrepareLine();
    return result;
}

void CPosixSerialPort::PrepareLine() {
    termios found{};
    if (calls_.GetAttributes(fd_, &found) == 0) found_ = found;
    int lines = TIOCM_DTR | TIOCM_RTS;
    calls_.Control(fd_, TIOCMBIS, &lines);
    // A USB adapter otherwise holds what it received for its latency timer (16 ms on many),
    // twice per block: seconds over a whole image.
    serial_struct serial{};
    if (calls_.Control(fd_, TIOCGSERIAL, &serial) != 0 || (serial.flags & ASYNC_LOW_LATENCY))
        return;
    const serial_struct before = serial;
    serial.flags |= ASYNC_LOW_LATENCY;
    if (calls_.Control(fd_, TIOCSSERIAL, &serial) == 0) foundSerial_ = before;
}

void CPosixSerialPort::RestoreLine() {
    if (foundSerial_) calls_.Control(fd_, TIOCSSERIAL, &*foundSerial_);
    if (found_) calls_.SetAttributes(fd_, TCSANOW, &*found_);
    foundSerial_.reset();
    found_.reset();
}

bool CPosixSerialPort::ConfigureRadioPort() {
    // The driver queue sizes the radio link was designed with (1024 in, 512 out) have no POSIX
    // counterpart; the kernel's own buffers are larger than either, so nothing is done for them.
    termios tio{};
    if (fd_ < 0 || calls_.GetAttributes(fd_, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    // With VMIN 1 an empty queue reads as EAGAIN, so a read of 0 bytes can only mean hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, B9600) != 0 || ::cfsetospeed(&tio, B9600) != 0) return false;
    return calls_.SetAttributes(fd_, TCSANOW, &tio) == 0;
}

void CPosixSerialPort::PurgeRadioPort() {
    if (fd_ >= 0) calls_.Flush(fd_, TCIOFLUSH);
}

std::size_t CPosixSerialPort::WriteBytes(const std::uint8_t* bytes, std::size_t n) {
    if (fd_ < 0 || n == 0) return 0;
    const auto deadline = Clock::now() + TotalTimeout(n, kWriteMsPerByte, kWriteMsConstant);
    std::size_t sent = 0;
    while (sent < n) {
        const ssize_t k = calls_.Write(fd_, bytes + sent, n - sent);
        if (k > 0) {
            sent += static_cast<std::size_t>(k);
            continue;
        }
        if (k < 0 && errno == EINTR) continue;
        if (k == 0 || errno != EAGAIN) return sent;
        pollfd p{fd_, POLLOUT, 0};
        const int ready = calls_.Poll(&p, 1, PollMs(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL))) break;
    }

    // A write is complete when its bytes have left the port, so that the time-out of the reply
    // that follows starts when the radio has the whole request.
    int queued = 0;
    while (calls_.Control(fd_, TIOCOUTQ, &queued) == 0 && queued > 0) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) {
            // What has not left by the time-out never will: drop it rather than let it reach the
            // radio in the middle of a later exchange.
            calls_.Flush(fd_, TCOFLUSH);
            return sent - std::min(sent, static_cast<std::size_t>(queued));
        }
        const auto wait = std::max<Clock::duration>(milliseconds(1), kByteTime * queued);
        std::this_thread::sleep_for(std::min<Clock::duration>(wait, left));
    }
    return sent;
}

std::size_t CPosixSerialPort::ReadBytes(std::uint8_t* buffer, std::size_t n) {
    if (fd_ < 0 || n == 0 || CancelRequested()) return 0;
    const int cancelFd = CancelToken() ? CancelToken()->WaitDescriptor() : -1;
    const auto totalDeadline = Clock::now() + TotalTimeout(n, kReadMsPerByte, kReadMsConstant);
    auto deadline = totalDeadline;
    std::size_t received = 0;
    while (received < n) {
        if (Clock::now() >= deadline) break;
        // The cancel descriptor beside the device: a request ends the wait at once.
        pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd, POLLIN, 0}};
        pollfd& p = fds[0];
        const int ready = calls_.Poll(fds, cancelFd >= 0 ? 2 : 1, PollMs(deadline));
        if (ready < 0 && errno == EINTR) {
            if (CancelRequested()) break;
            continue;
        }
        if (ready < 0 || (p.revents & POLLNVAL) || fds[1].revents || CancelRequested()) break;
        if (ready == 0) continue;
        // After a hang-up the queue may still hold the last bytes: take them, then stop.
        const bool hungUp = (p.revents & (POLLHUP | POLLERR)) != 0;
        const ssize_t k = calls_.Read(fd_, buffer + received, n - received);
        if (k > 0) {
            received += static_cast<std::size_t>(k);
            const auto now = Clock::now();
            deadline = std::min(totalDeadline, now + kReadInterval);
            // The rest is still on the wire, a byte every 1.04 ms: wait for it as a whole rather
            // than waking for every byte (a 32-byte block would otherwise cost 32 wake-ups).
            if (received < n && static_cast<std::size_t>(k) == 1)
                std::this_thread::sleep_until(std::min<Clock::time_point>(
                    deadline, now + static_cast<int>(n - received) * kByteTime));
            continue;
        }
        if (k < 0 && (errno == EINTR || errno == EAGAIN) && !hungUp) continue;
        break; // 0 bytes or EIO: the cable was pulled or the other side closed
    }
    return received;
}

void CPosixSerialPort::CloseRadioPort() {
    if (fd_ < 0) return;
    // A pseudo-terminal outlives this program when its other side stays open; left in exclusive
    // mode it would refuse every later non-root open.
    RestoreLine();
    calls_.Control(fd_, TIOCNXCL, nullptr);
    calls_.Lock(fd_, LOCK_UN);
    calls_.Close(fd_);
    fd_ = -1;
}

} // namespace tarsel
