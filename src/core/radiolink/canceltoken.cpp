#include "core/radiolink/canceltoken.h"

#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace tarsel {

static_assert(std::atomic<bool>::is_always_lock_free, "Cancel must be async-signal-safe");

CCancelToken::CCancelToken() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CCancelToken::~CCancelToken() {
    if (fd_ >= 0) ::close(fd_);
}

void CCancelToken::Cancel() {
    requested_.store(true, std::memory_order_release);
    if (fd_ < 0) return;
    // The counter is never read back, so the descriptor stays readable for every later wait.
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
}

} // namespace tarsel
