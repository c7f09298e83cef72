// A serial port in virtual time: what the host writes is recorded and handed to a responder, which
// queues reply bytes; reads honour the port's time-outs against the virtual clock, so an exchange
// that would take seconds on a cable runs at once and its timing can be checked exactly.
#pragma once

#include "core/radiolink/serialport.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tarsel::test {

class CFakePort : public CSerialPort {
public:
    // One byte on a 9600 baud line, in microseconds.
    static constexpr std::int64_t kByteUs = 1042;

    struct CEvent {
        enum class EKind { Open, Configure, Purge, Write, Read, Pause, Close } kind;
        std::vector<std::uint8_t> bytes; // Write: what was sent; Read: what arrived
        std::int64_t value = 0;          // Read: bytes asked for; Pause: milliseconds
    };

    COpenResult OpenRadioPort(std::string_view portName) override {
        COpenResult result = openResult;
        result.portName = portName;
        open_ = result.Succeeded();
        events.push_back({CEvent::EKind::Open, {}, 0});
        return result;
    }
    bool ConfigureRadioPort() override {
        events.push_back({CEvent::EKind::Configure, {}, 0});
        return true;
    }
    void PurgeRadioPort() override {
        events.push_back({CEvent::EKind::Purge, {}, 0});
        while (!input_.empty() && input_.front().at <= nowUs) input_.pop_front();
    }
    std::size_t WriteBytes(const std::uint8_t* bytes, std::size_t n) override {
        std::vector<std::uint8_t> written(bytes, bytes + n);
        events.push_back({CEvent::EKind::Write, written, 0});
        if (onWrite) onWrite(written);
        return n;
    }
    std::size_t ReadBytes(std::uint8_t* buffer, std::size_t n) override {
        if (onRead) onRead();
        const std::int64_t total = nowUs + (50 * static_cast<std::int64_t>(n) + 100) * 1000;
        std::int64_t deadline = total;
        std::size_t got = 0;
        while (got < n && !input_.empty() && input_.front().at <= deadline) {
            nowUs = std::max(nowUs, input_.front().at);
            buffer[got++] = input_.front().byte;
            input_.pop_front();
            deadline = std::min(total, nowUs + 100'000);
        }
        if (got < n) nowUs = std::max(nowUs, deadline);
        events.push_back(
            {CEvent::EKind::Read, {buffer, buffer + got}, static_cast<std::int64_t>(n)});
        return got;
    }
    void CloseRadioPort() override {
        if (open_) events.push_back({CEvent::EKind::Close, {}, 0});
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    void Pause(int ms) override {
        events.push_back({CEvent::EKind::Pause, {}, ms});
        nowUs += std::int64_t{ms} * 1000;
    }
    std::int64_t QueryCounterFrequency() const override { return frequency; }
    std::int64_t QueryCounter() const override { return nowUs; }

    // Queues bytes that start arriving after delayUs, one byte time apart, behind what is queued.
    void Reply(const std::vector<std::uint8_t>& bytes, std::int64_t delayUs = 0) {
        std::int64_t at = std::max(nowUs + delayUs, input_.empty() ? 0 : input_.back().at);
        for (const std::uint8_t byte : bytes) input_.push_back({at += kByteUs, byte});
    }

    // Everything written, one entry per WriteBytes call.
    std::vector<std::vector<std::uint8_t>> Writes() const {
        std::vector<std::vector<std::uint8_t>> writes;
        for (const CEvent& event : events)
            if (event.kind == CEvent::EKind::Write) writes.push_back(event.bytes);
        return writes;
    }

    COpenResult openResult;
    std::function<void(const std::vector<std::uint8_t>&)> onWrite;
    std::function<void()> onRead;
    std::vector<CEvent> events;
    std::int64_t nowUs = 0; // in ticks of frequency, which only a clock test changes
    std::int64_t frequency = 1'000'000;

private:
    struct CByte {
        std::int64_t at;
        std::uint8_t byte;
    };
    std::deque<CByte> input_;
    bool open_ = false;
};

} // namespace tarsel::test
