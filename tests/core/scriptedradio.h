// The virtual radio's side of the link on a CFakePort, in the port's virtual time. Its engine
// shares no code with the host's protocol, and its faults are the ones the host must survive.
#pragma once

#include "fakeport.h"
#include "radiosim/engine.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace tarsel::test {

class CScriptedRadio : public radiosim::IRadioLine {
public:
    explicit CScriptedRadio(CFakePort& port) : port_(port) {
        port.onWrite = [this](const std::vector<std::uint8_t>& bytes) {
            nowUs_ = port_.nowUs;
            if (const auto deadline = engine_.NextDeadline(); deadline && *deadline <= Now())
                engine_.OnDeadline(Now());
            for (const std::uint8_t byte : bytes) engine_.OnByte(byte, Now());
        };
        // A lone 0x02 after "PG" is taken for the identify once the radio has waited in vain for
        // the rest of a wake-up: while the host reads, not before.
        port.onRead = [this] {
            nowUs_ = port_.nowUs;
            const auto deadline = engine_.NextDeadline();
            if (!deadline || *deadline - Now() > std::chrono::milliseconds(100)) return;
            nowUs_ =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline->time_since_epoch())
                    .count();
            engine_.OnDeadline(*deadline);
        };
    }

    void Send(std::span<const std::uint8_t> bytes) override {
        port_.Reply({bytes.begin(), bytes.end()}, nowUs_ - port_.nowUs);
    }
    void Pause(std::chrono::milliseconds duration) override { nowUs_ += duration.count() * 1000; }
    void HangUp() override {}

    radiosim::CCounters Counters() const { return log_.Counters(); }

    radiosim::CConfig config;
    radiosim::CFaults& faults = config.faults;
    radiosim::CRadioMemory memory;

private:
    radiosim::Clock::time_point Now() const {
        return radiosim::Clock::time_point(std::chrono::microseconds(nowUs_));
    }

    CFakePort& port_;
    std::int64_t nowUs_ = 0;
    radiosim::CFrameLog log_;
    radiosim::CRadioEngine engine_{config, memory, log_, *this};
};

} // namespace tarsel::test
