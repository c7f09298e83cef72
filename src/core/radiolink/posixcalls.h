// The system calls the POSIX serial port makes on its descriptor, behind one seam so that a test
// can watch the requests and make a driver refuse them.
#pragma once

#include <cstddef>

#include <sys/types.h>

struct pollfd;
struct termios;

namespace tarsel {

class CPosixCalls {
public:
    virtual ~CPosixCalls() = default;

    virtual int Open(const char* path, int flags);
    virtual int Close(int fd);
    virtual int IsATerminal(int fd);
    virtual int Lock(int fd, int operation);                            // flock
    virtual int Control(int fd, unsigned long request, void* argument); // ioctl
    virtual int GetAttributes(int fd, termios* settings);
    virtual int SetAttributes(int fd, int when, const termios* settings);
    virtual int Flush(int fd, int queues);
    virtual ssize_t Read(int fd, void* buffer, std::size_t n);
    virtual ssize_t Write(int fd, const void* bytes, std::size_t n);
    virtual int Poll(pollfd* fds, unsigned long count, int timeoutMs);

    // The calls straight to the system.
    static CPosixCalls& System();
};

} // namespace tarsel
