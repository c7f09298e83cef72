#include "radiosim/ptyline.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace radiosim {

namespace {

// 9600 baud 8-N-1: ten bits, so 960 bytes a second, in either direction.
using ByteTimes = std::chrono::duration<int64_t, std::ratio<1, 960>>;

Clock::duration WireTime(std::size_t bytes) {
    return std::chrono::ceil<Clock::duration>(ByteTimes(static_cast<int64_t>(bytes)));
}

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

void SetFlags(int fd, int extraStatusFlags) {
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | extraStatusFlags);
}

timespec TimespecOf(Clock::duration left) {
    left = std::max(left, Clock::duration::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    return {static_cast<time_t>(seconds.count()),
            static_cast<long>(std::chrono::nanoseconds(left - seconds).count())};
}

} // namespace

CPtyLine::CPtyLine(bool paced) : paced_(paced) {}

CPtyLine::~CPtyLine() {
    CloseAll();
    CloseFd(stopRead_);
    CloseFd(stopWrite_);
}

void CPtyLine::Open(const std::string& linkPath) {
    // Raw from the first moment: a host byte echoed back would look like a reply.
    termios raw{};
    ::cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&raw, B9600);
    ::cfsetospeed(&raw, B9600);
    if (::openpty(&master_, &slave_, nullptr, &raw, nullptr) != 0) ThrowErrno("openpty");
    SetFlags(master_, O_NONBLOCK);
    SetFlags(slave_, 0);

    std::array<char, PATH_MAX> name{};
    if (const int error = ::ttyname_r(slave_, name.data(), name.size()); error != 0) {
        errno = error;
        ThrowErrno("ttyname");
    }
    devicePath_ = name.data();

    int stopPipe[2];
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) ThrowErrno("pipe");
    stopRead_ = stopPipe[0];
    stopWrite_ = stopPipe[1];

    // Without the notices the line still works; only the exclusive flag is not cleared.
    notify_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (notify_ >= 0 && ::inotify_add_watch(notify_, devicePath_.c_str(), IN_OPEN | IN_CLOSE) < 0)
        CloseFd(notify_);

    if (linkPath.empty()) return;
    struct stat status {};
    if (::lstat(linkPath.c_str(), &status) == 0) {
        if (!S_ISLNK(status.st_mode)) {
            errno = EEXIST;
            ThrowErrno(linkPath + " (not a symbolic link)");
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(devicePath_.c_str(), linkPath.c_str()) != 0) ThrowErrno("symlink " + linkPath);
    linkPath_ = linkPath;
}

std::optional<CPtyLine::CArrival> CPtyLine::Receive(std::optional<Clock::time_point> deadline) {
    for (;;) {
        if (stopping_ || down_) return std::nullopt;
        const auto now = Clock::now();
        if (!input_.empty() && input_.front().at <= now) {
            const CArrival arrival = input_.front();
            input_.pop_front();
            eventTime_ = arrival.at;
            return arrival;
        }
        if (deadline && now >= *deadline) {
            eventTime_ = *deadline;
            return std::nullopt;
        }
        Clock::time_point until = deadline.value_or(Clock::time_point::max());
        if (!input_.empty()) until = std::min(until, input_.front().at);
        Pump(until);
    }
}

void CPtyLine::RequestStop() {
    stopping_ = true;
    const char wake = 1;
    [[maybe_unused]] const auto written = ::write(stopWrite_, &wake, 1);
}

void CPtyLine::Send(std::span<const uint8_t> bytes) {
    if (stopping_ || down_ || bytes.empty()) return;
    if (!paced_) return WriteOut(bytes);

    // Each byte is handed over when its last bit would be in: the host cannot see it sooner.
    // Times count from the moment the radio could first have answered, not from when this
    // thread got round to it, so that the usual wake-up delays do not add up over a transfer;
    // a thread that is much later than that sends later rather than in a burst.
    const Clock::time_point start = std::max({eventTime_, lastOut_, Clock::now() - WireTime(1)});
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!SleepUntil(start + WireTime(sent + 1))) return;
        const auto now = Clock::now();
        std::size_t due = sent + 1;
        while (due < bytes.size() && start + WireTime(due + 1) <= now) ++due;
        WriteOut(bytes.subspan(sent, due - sent));
        sent = due;
    }
    lastOut_ = start + WireTime(bytes.size());
}

void CPtyLine::Pause(std::chrono::milliseconds duration) {
    eventTime_ = std::max(eventTime_, lastOut_) + duration;
    SleepUntil(eventTime_);
}

void CPtyLine::HangUp() {
    CloseAll();
    down_ = true;
}

bool CPtyLine::Pump(Clock::time_point until) {
    if (stopping_ || down_) return false;
    std::array<pollfd, 3> fds{{{master_, POLLIN, 0}, {stopRead_, POLLIN, 0}, {notify_, POLLIN, 0}}};
    timespec timeout{};
    if (until != Clock::time_point::max()) timeout = TimespecOf(until - Clock::now());
    const int ready = ::ppoll(fds.data(), fds.size(),
                              until == Clock::time_point::max() ? nullptr : &timeout, nullptr);
    if (ready < 0) {
        if (errno != EINTR) down_ = true;
        return !down_;
    }
    if (fds[1].revents != 0) {
        stopping_ = true;
        return false;
    }
    if (fds[0].revents & POLLIN)
        TakeInput();
    else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        down_ = true; // cannot happen while the slave is held; do not spin if it does
    if (fds[2].revents & POLLIN) TakePortEvents();
    return !down_;
}

bool CPtyLine::SleepUntil(Clock::time_point until) {
    while (Clock::now() < until)
        if (!Pump(until)) return false;
    return !stopping_ && !down_;
}

void CPtyLine::TakeInput() {
    std::array<uint8_t, 512> buffer{};
    for (;;) {
        const ssize_t count = ::read(master_, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return;
        const auto now = Clock::now();
        for (ssize_t i = 0; i < count; ++i) {
            // Bytes written at once still arrive one after another.
            lastIn_ = paced_ ? std::max(now, lastIn_) + WireTime(1) : now;
            input_.push_back({buffer[static_cast<std::size_t>(i)], lastIn_});
        }
    }
}

void CPtyLine::TakePortEvents() {
    // What the host wrote just before closing may still wait in the kernel to be handed to the
    // master; a read hands it over now, before the next session's purge can throw it away.
    TakeInput();
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t count = ::read(notify_, buffer.data(), buffer.size());
        if (count <= 0) return;
        for (ssize_t offset = 0; offset < count;) {
            inotify_event event{};
            std::copy_n(buffer.data() + offset, sizeof event, reinterpret_cast<char*>(&event));
            offset += static_cast<ssize_t>(sizeof event + event.len);
            if (event.mask & IN_OPEN) {
                if (onHostPort) onHostPort(true);
            } else if (event.mask & IN_CLOSE) {
                // The host makes the device exclusive. The flag outlives its close while the
                // radio holds the slave, and the host's next open would be refused unless root.
                ::ioctl(slave_, TIOCNXCL);
                if (onHostPort) onHostPort(false);
            }
        }
    }
}

void CPtyLine::WriteOut(std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(master_, bytes.data(), bytes.size());
        if (count > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        // A host that does not read fills the queue; after a while the rest is lost, as on a wire.
        pollfd fd{master_, POLLOUT, 0};
        if (count < 0 && errno == EAGAIN && ::poll(&fd, 1, 100) > 0) continue;
        return;
    }
}

void CPtyLine::CloseAll() {
    if (!linkPath_.empty()) {
        std::array<char, PATH_MAX> target{};
        const ssize_t length = ::readlink(linkPath_.c_str(), target.data(), target.size() - 1);
        if (length > 0 && devicePath_ == std::string_view(target.data(), length))
            ::unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    CloseFd(notify_);
    CloseFd(slave_);
    CloseFd(master_);
}

} // namespace radiosim
