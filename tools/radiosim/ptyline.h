#pragma once

#include "radiosim/engine.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace radiosim {

// The radio's end of the cable: the master side of a pseudo-terminal whose slave the host opens.
// Everything but RequestStop is called from the radio thread only.
class CPtyLine final : public IRadioLine {
public:
    struct CArrival {
        uint8_t byte;
        Clock::time_point at; // when its last bit is in, with pacing on
    };

    explicit CPtyLine(bool paced);
    ~CPtyLine() override;
    CPtyLine(const CPtyLine&) = delete;
    CPtyLine& operator=(const CPtyLine&) = delete;

    // Throws std::system_error.
    void Open(const std::string& linkPath);
    const std::string& DevicePath() const { return devicePath_; }

    // The next byte that has arrived, or nothing once `deadline` passes or the line is stopped
    // or down. No deadline waits for as long as it takes.
    std::optional<CArrival> Receive(std::optional<Clock::time_point> deadline);
    bool Stopping() const { return stopping_; }
    bool Down() const { return down_; }
    void RequestStop();

    void Send(std::span<const uint8_t> bytes) override;
    void Pause(std::chrono::milliseconds duration) override;
    void HangUp() override;

    // The host opened (true) or closed (false) the device.
    std::function<void(bool opened)> onHostPort;

private:
    bool Pump(Clock::time_point until);
    bool SleepUntil(Clock::time_point until);
    void TakeInput();
    void TakePortEvents();
    void WriteOut(std::span<const uint8_t> bytes);
    void CloseAll();

    const bool paced_;
    int master_ = -1;
    int slave_ = -1; // held so the master never sees the line hang up between host sessions
    int notify_ = -1;
    int stopRead_ = -1;
    int stopWrite_ = -1;
    std::string devicePath_;
    std::string linkPath_;
    std::deque<CArrival> input_;
    Clock::time_point lastIn_{};
    Clock::time_point lastOut_{};
    Clock::time_point eventTime_{}; // when the byte or time-out being handled came due
    std::atomic<bool> stopping_{false};
    bool down_ = false;
};

} // namespace radiosim
