#pragma once

#include "radiosim/config.h"
#include "radiosim/framelog.h"
#include "radiosim/memory.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace radiosim {

using Clock = std::chrono::steady_clock;

// What the radio can do to its end of the cable.
class IRadioLine {
public:
    virtual ~IRadioLine() = default;
    virtual void Send(std::span<const uint8_t> bytes) = 0;
    // Time passes on the line; what the host sends meanwhile is still taken in.
    virtual void Pause(std::chrono::milliseconds duration) = 0;
    virtual void HangUp() = 0;
};

// The radio's side of the protocol, fed one byte at a time as each arrives. It keeps no clock of
// its own: the caller reports arrival times and calls OnDeadline when NextDeadline has passed.
class CRadioEngine {
public:
    CRadioEngine(const CConfig& config, CRadioMemory& memory, CFrameLog& log, IRadioLine& line);

    void OnByte(uint8_t byte, Clock::time_point arrival);
    std::optional<Clock::time_point> NextDeadline() const;
    void OnDeadline(Clock::time_point now);
    // The radio is switched off: the exchange under way ends where it is.
    void Finish();

    // Called whenever an exchange ends, completed or abandoned; the argument tells whether it
    // stored any block.
    std::function<void(bool wroteBlocks)> onExchangeEnd;

private:
    enum class EState { Idle, Woken, Identified, Started };
    enum class EPartial { None, WakeUp, EndMarker, ReadRequest, WriteRequest };

    void Dispatch(uint8_t byte);
    void Begin(EPartial partial, uint8_t byte);
    std::vector<uint8_t> TakeFrame();
    void DropPartial();
    void FlushJunk();
    bool MayBeIdentify() const;
    void BreakWakeUp();

    void OnWakeUp();
    void OnIdentify();
    void OnStartAck();
    void OnReadRequest();
    void OnReadAck(int block);
    void OnWriteRequest();
    void OnEndMarker();
    void EndExchange();
    void HangUp();

    bool FaultsApply() const;
    bool FaultAt(int faultBlock, int block) const;
    void Log(EFrameKind kind, std::vector<uint8_t> bytes, bool ignored = false);
    void Reply(EFrameKind kind, std::vector<uint8_t> bytes, std::size_t stallAt = 0);
    void ReplyByte(EFrameKind kind, int byte);

    const CConfig& config_;
    CRadioMemory& memory_;
    CFrameLog& log_;
    IRadioLine& line_;

    EState state_ = EState::Idle;
    EPartial partial_ = EPartial::None;
    std::vector<uint8_t> frame_;
    std::vector<uint8_t> junk_;
    Clock::time_point lastByte_{};
    int exchange_ = -1;
    int nextBlock_ = 0;
    int readAckDue_ = -1; // the block whose data went out last, until the next byte
    bool wroteBlocks_ = false;
    bool hungUp_ = false;
};

} // namespace radiosim
