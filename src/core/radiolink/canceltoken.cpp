#include "core/radiolink/canceltoken.h"

#include <cstdint>

// eventfd is Linux's; elsewhere (a WebAssembly build, say) the token is the flag alone, which the
// ports there check while they wait.
#if defined(__linux__)
#include <sys/eventfd.h>
#include <unistd.h>
#define TARSEL_CANCEL_EVENTFD 1
#endif

namespace tarsel {

static_assert(std::atomic<bool>::is_always_lock_free, "Cancel must be async-signal-safe");

#ifdef TARSEL_CANCEL_EVENTFD
CCancelToken::CCancelToken() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CCancelToken::~CCancelToken() {
    if (fd_ >= 0) ::close(fd_);
}
#else
CCancelToken::CCancelToken() = default;
CCancelToken::~CCancelToken() = default;
#endif

void CCancelToken::Cancel() {
    requested_.store(true, std::memory_order_release);
#ifdef TARSEL_CANCEL_EVENTFD
    if (fd_ < 0) return;
    // The counter is never read back, so the descriptor stays readable for every later wait.
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
#endif
}

} // namespace tarsel
