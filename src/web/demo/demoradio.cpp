// 演示电台: the virtual radio's engine in the page, a second module behind the same link as a
// cable. Time is the page's clock in milliseconds: the host's bytes arrive when their last bit
// would be in, and the radio's replies go out byte by byte at the wire's pace (or faster, on
// request), timed from the moment the radio could first answer.
#include "radiosim/config.h"
#include "radiosim/engine.h"
#include "radiosim/framelog.h"
#include "radiosim/memory.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <deque>
#include <limits>

namespace radiosim::web {

using emscripten::val;

namespace {

// Rounded, not truncated: a deadline passed through MsOf and back must be the deadline again.
// Cut short by a nanosecond it would never be due, and Advance would wait for it for ever.
Clock::time_point TimeOf(double ms) {
    return Clock::time_point(
        std::chrono::round<Clock::duration>(std::chrono::duration<double, std::milli>(ms)));
}

double MsOf(Clock::time_point time) {
    return std::chrono::duration<double, std::milli>(time.time_since_epoch()).count();
}

// Ten bits a byte (8-N-1) at 9600 baud.
constexpr double kByteMsAt9600 = 10.0 * 1000.0 / 9600.0;

struct CTimedByte {
    uint8_t byte;
    double at;
};

} // namespace

class CDemoRadio : public IRadioLine {
public:
    CDemoRadio() : engine_(config_, memory_, log_, *this) {}

    // 1: 9600 baud; larger is faster; 0: no pacing at all.
    void SetSpeed(double speed) { byteMs_ = speed > 0 ? kByteMsAt9600 / speed : 0; }

    void SetMemory(const val& bytes) {
        memory_.Assign(emscripten::convertJSArrayToNumberVector<uint8_t>(bytes));
    }
    val Memory() const {
        const MemoryBytes bytes = memory_.Snapshot();
        return val::global("Uint8Array")
            .new_(emscripten::typed_memory_view(bytes.size(), bytes.data()))
            .call<val>("slice");
    }

    // From now on the radio stays silent after this block's request (-1: it always answers).
    void StopAnsweringAtBlock(int block) { config_.faults.hangUpBlock = block; }

    // The host's bytes, written at nowMs.
    void Receive(const val& bytes, double nowMs) {
        for (uint8_t byte : emscripten::convertJSArrayToNumberVector<uint8_t>(bytes)) {
            lastIn_ = std::max(nowMs, lastIn_) + byteMs_;
            input_.push_back({byte, lastIn_});
        }
    }

    // Runs the radio up to nowMs and returns the bytes it has sent by then. The host's bytes
    // already on the wire are taken at once, each at its own arrival time: nothing the host
    // sends later can come before them, and the replies they cause are then timed before they
    // are due, so a late timer of the page delays their delivery only.
    val Advance(double nowMs) {
        const double until = std::max(nowMs, lastIn_);
        for (;;) {
            const double byteAt = input_.empty() ? kNever : input_.front().at;
            const auto deadline = engine_.NextDeadline();
            const double deadlineAt = deadline ? MsOf(*deadline) : kNever;
            if (std::min(byteAt, deadlineAt) > until) break;
            if (byteAt <= deadlineAt) {
                eventAt_ = byteAt;
                const uint8_t byte = input_.front().byte;
                input_.pop_front();
                engine_.OnByte(byte, TimeOf(byteAt));
            } else {
                eventAt_ = deadlineAt;
                engine_.OnDeadline(TimeOf(deadlineAt));
            }
        }
        std::vector<uint8_t> due;
        while (!output_.empty() && output_.front().at <= nowMs) {
            due.push_back(output_.front().byte);
            output_.pop_front();
        }
        return val::global("Uint8Array")
            .new_(emscripten::typed_memory_view(due.size(), due.data()))
            .call<val>("slice");
    }

    // When Advance next has something to do; -1 for nothing pending.
    double NextEventMs() const {
        double next = kNever;
        if (!input_.empty()) next = std::min(next, input_.front().at);
        if (!output_.empty()) next = std::min(next, output_.front().at);
        if (const auto deadline = engine_.NextDeadline()) next = std::min(next, MsOf(*deadline));
        return next == kNever ? -1 : next;
    }

    void Send(std::span<const uint8_t> bytes) override {
        if (down_) return;
        const double start = std::max(eventAt_, lastOut_);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            output_.push_back({bytes[i], start + byteMs_ * static_cast<double>(i + 1)});
        lastOut_ = start + byteMs_ * static_cast<double>(bytes.size());
    }
    void Pause(std::chrono::milliseconds duration) override {
        eventAt_ = std::max(eventAt_, lastOut_) + static_cast<double>(duration.count());
    }
    void HangUp() override {
        down_ = true;
        output_.clear();
    }

private:
    static constexpr double kNever = std::numeric_limits<double>::infinity();

    CConfig config_;
    CRadioMemory memory_;
    CFrameLog log_;
    CRadioEngine engine_;
    std::deque<CTimedByte> input_, output_;
    double byteMs_ = kByteMsAt9600;
    double lastIn_ = 0, lastOut_ = 0, eventAt_ = 0;
    bool down_ = false;
};

} // namespace radiosim::web

EMSCRIPTEN_BINDINGS(demo) {
    using radiosim::web::CDemoRadio;
    emscripten::class_<CDemoRadio>("DemoRadio")
        .constructor<>()
        .function("setSpeed", &CDemoRadio::SetSpeed)
        .function("setMemory", &CDemoRadio::SetMemory)
        .function("memory", &CDemoRadio::Memory)
        .function("stopAnsweringAtBlock", &CDemoRadio::StopAnsweringAtBlock)
        .function("receive", &CDemoRadio::Receive)
        .function("advance", &CDemoRadio::Advance)
        .function("nextEventMs", &CDemoRadio::NextEventMs);
}
