#include "core/radiolink/posixcalls.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tarsel {

int CPosixCalls::Open(const char* path, int flags) { return ::open(path, flags); }
int CPosixCalls::Close(int fd) { return ::close(fd); }
int CPosixCalls::IsATerminal(int fd) { return ::isatty(fd); }
int CPosixCalls::Lock(int fd, int operation) { return ::flock(fd, operation); }
int CPosixCalls::Control(int fd, unsigned long request, void* argument) {
    return ::ioctl(fd, request, argument);
}
int CPosixCalls::GetAttributes(int fd, termios* settings) { return ::tcgetattr(fd, settings); }
int CPosixCalls::SetAttributes(int fd, int when, const termios* settings) {
    return ::tcsetattr(fd, when, settings);
}
int CPosixCalls::Flush(int fd, int queues) { return ::tcflush(fd, queues); }
ssize_t CPosixCalls::Read(int fd, void* buffer, std::size_t n) { return ::read(fd, buffer, n); }
ssize_t CPosixCalls::Write(int fd, const void* bytes, std::size_t n) {
    return ::write(fd, bytes, n);
}
int CPosixCalls::Poll(pollfd* fds, unsigned long count, int timeoutMs) {
    return ::poll(fds, count, timeoutMs);
}

CPosixCalls& CPosixCalls::System() {
    static CPosixCalls calls; // stateless: safe to share between threads and ports
    return calls;
}

} // namespace tarsel
