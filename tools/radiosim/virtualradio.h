#pragma once

#include "radiosim/config.h"
#include "radiosim/framelog.h"
#include "radiosim/memory.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace radiosim {

class CPtyLine;
class CRadioEngine;

// A radio on a pseudo-terminal, served on a thread of its own from Start to Stop.
//
// A hang-up fault closes the master as if the cable were pulled: the device disappears, the
// thread ends and the radio stays down (HungUp() turns true) until Stop.
//
// Unlike a cable, a pty loses the last bytes a session wrote (an end marker, say) when the next
// session opens and purges before the radio thread has taken them. A test that runs exchanges
// back to back should WaitFor the end of one before opening the next.
class CVirtualRadio {
public:
    explicit CVirtualRadio(CConfig config = {});
    ~CVirtualRadio();
    CVirtualRadio(const CVirtualRadio&) = delete;
    CVirtualRadio& operator=(const CVirtualRadio&) = delete;

    // Loads config.memoryPath when that file exists, creates the device (and the link), opens
    // the trace and starts serving. Throws std::system_error or std::runtime_error.
    void Start();
    // Ends the exchange under way, saves when asked to and removes device and link. Idempotent.
    void Stop();

    const CConfig& Config() const { return config_; }
    // The slave device the host opens, e.g. /dev/pts/3; empty before Start.
    const std::string& DevicePath() const { return devicePath_; }
    bool HungUp() const { return hungUp_; }

    MemoryBytes Memory() const { return memory_.Snapshot(); }
    // Fewer than 16384 bytes leave the rest erased (0xFF).
    void SetMemory(std::span<const uint8_t> bytes) { memory_.Assign(bytes); }
    // To config.memoryPath. Throws std::runtime_error.
    void SaveMemory() const;

    std::vector<CFrame> Frames() const { return log_.Frames(); }
    std::vector<CFrame> ReceivedFrames() const; // those the host sent, in order
    CCounters Counters() const { return log_.Counters(); }
    void ClearFrames() { log_.Clear(); }
    // Waits until the counters satisfy `condition`; false on time-out.
    bool WaitFor(const std::function<bool(const CCounters&)>& condition,
                 std::chrono::milliseconds timeout) const {
        return log_.WaitFor(condition, timeout);
    }

private:
    void Serve();
    void OnExchangeEnd(bool wroteBlocks);

    const CConfig config_;
    CRadioMemory memory_;
    CFrameLog log_;
    std::unique_ptr<CPtyLine> line_;
    std::unique_ptr<CRadioEngine> engine_;
    std::thread thread_;
    std::FILE* trace_ = nullptr;
    bool ownsTrace_ = false;
    std::string devicePath_;
    std::atomic<bool> hungUp_{false};
};

} // namespace radiosim
