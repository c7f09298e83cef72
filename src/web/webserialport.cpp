#include "web/webserialport.h"

#include "core/radiolink/canceltoken.h"

#include <emscripten.h>

#include <algorithm>

// The page sets Module.radioLink before an exchange: open, write, take, waitForData, purge,
// close, sleep. Every call that waits is awaited with the exchange suspended. (JavaScript: not
// for clang-format.)
// clang-format off
EM_ASYNC_JS(int, tarsel_link_open, (), { return await Module.radioLink.open(); });
EM_ASYNC_JS(int, tarsel_link_write, (const uint8_t* bytes, int n), {
    return await Module.radioLink.write(HEAPU8.slice(bytes, bytes + n));
});
EM_JS(int, tarsel_link_take, (uint8_t* buffer, int n), {
    const taken = Module.radioLink.take(n);
    HEAPU8.set(taken, buffer);
    return taken.length;
});
EM_ASYNC_JS(void, tarsel_link_wait, (double ms), { await Module.radioLink.waitForData(ms); });
EM_JS(void, tarsel_link_purge, (), { Module.radioLink.purge(); });
EM_JS(bool, tarsel_link_cancelled, (), { return Module.radioLink.cancelled; });
EM_ASYNC_JS(void, tarsel_link_close, (), { await Module.radioLink.close(); });
EM_ASYNC_JS(void, tarsel_link_sleep, (double ms), {
    await new Promise((resolve) => setTimeout(resolve, ms));
});
// clang-format on

namespace tarsel::web {

namespace {

// Open failures as the link's JavaScript side reports them.
EOpenFailure FailureOf(int code) {
    switch (code) {
    case 0:
        return EOpenFailure::None;
    case 1:
        return EOpenFailure::NoSuchDevice;
    case 2:
        return EOpenFailure::HeldElsewhere;
    case 3:
        return EOpenFailure::PermissionDenied;
    default:
        return EOpenFailure::SystemError;
    }
}

constexpr double kReadIntervalMs = 100;
constexpr double kReadPerByteMs = 50;
constexpr double kReadTotalMs = 100;

} // namespace

COpenResult CWebSerialPort::OpenRadioPort(std::string_view portName) {
    CloseRadioPort();
    COpenResult result;
    result.portName = std::string(portName);
    result.device = result.portName;
    result.failure = FailureOf(tarsel_link_open());
    open_ = result.Succeeded();
    return result;
}

void CWebSerialPort::PurgeRadioPort() {
    if (open_) tarsel_link_purge();
}

std::size_t CWebSerialPort::WriteBytes(const std::uint8_t* bytes, std::size_t n) {
    if (!open_ || n == 0) return 0;
    return static_cast<std::size_t>(std::max(0, tarsel_link_write(bytes, static_cast<int>(n))));
}

std::size_t CWebSerialPort::ReadBytes(std::uint8_t* buffer, std::size_t n) {
    if (!open_) return 0;
    const double start = emscripten_get_now();
    const double total = start + kReadPerByteMs * static_cast<double>(n) + kReadTotalMs;
    double lastByte = 0;
    std::size_t got = 0;
    for (;;) {
        const int taken = tarsel_link_take(buffer + got, static_cast<int>(n - got));
        const double now = emscripten_get_now();
        if (taken > 0) {
            got += static_cast<std::size_t>(taken);
            lastByte = now;
        }
        if (got == n || TakeCancelRequest()) return got;
        const double deadline = got > 0 ? std::min(total, lastByte + kReadIntervalMs) : total;
        if (now >= deadline) return got;
        tarsel_link_wait(deadline - now);
    }
}

bool CWebSerialPort::TakeCancelRequest() {
    if (!token_.Requested() && tarsel_link_cancelled()) token_.Cancel();
    return CancelRequested();
}

void CWebSerialPort::CloseRadioPort() {
    if (!open_) return;
    open_ = false;
    tarsel_link_close();
}

void CWebSerialPort::Pause(int ms) {
    if (ms > 0) tarsel_link_sleep(ms);
}

std::int64_t CWebSerialPort::QueryCounter() const {
    return static_cast<std::int64_t>(emscripten_get_now() * 1000.0);
}

} // namespace tarsel::web
