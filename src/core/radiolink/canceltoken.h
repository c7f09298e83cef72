// A request to stop an exchange, made from another thread or from a signal handler. The serial
// port waits on the token's descriptor beside the device, so a pending read wakes at once.
#pragma once

#include <atomic>

namespace tarsel {

class CCancelToken {
public:
    CCancelToken();
    ~CCancelToken();
    CCancelToken(const CCancelToken&) = delete;
    CCancelToken& operator=(const CCancelToken&) = delete;

    // Async-signal-safe: a flag and one write(2). Stays requested for the token's life.
    void Cancel();
    bool Requested() const { return requested_.load(std::memory_order_acquire); }
    // Readable once Cancel was called; -1 when no descriptor could be made (then only the flag,
    // checked between steps, stops the exchange).
    int WaitDescriptor() const { return fd_; }

private:
    std::atomic<bool> requested_{false};
    int fd_ = -1;
};

} // namespace tarsel
