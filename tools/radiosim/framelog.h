#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace radiosim {

enum class EFrameKind : uint8_t {
    // host -> radio
    WakeUp,
    Identify,
    StartAck,
    ReadRequest,
    ReadAck,
    WriteRequest, // header and data bytes together
    EndRead,
    EndWrite,
    Junk, // bytes that belong to no frame
    // radio -> host
    WakeUpReply,
    StrayBytes,
    IdentBlock,
    StartAckReply,
    ReadReply, // header and data bytes together
    BlockAck,
    // events without bytes
    PortOpened,
    PortClosed,
    HangUp,
};

enum class EDirection : uint8_t { FromHost, ToHost, Event };

EDirection DirectionOf(EFrameKind kind);
std::string_view KindName(EFrameKind kind);

struct CFrame {
    EFrameKind kind = EFrameKind::Junk;
    std::vector<uint8_t> bytes{};
    int exchange = -1;    // from 0; -1 before the first wake-up
    bool ignored = false; // a request refused for its address or length: nothing was answered
    std::chrono::microseconds at{}; // since the log was made
};

// "  12.345 ms  #0  host  ReadRequest  52 3f 80 20"
std::string FormatFrame(const CFrame& frame);

struct CCounters {
    int wakeUps = 0;   // wake-up sequences recognised, repeats included
    int exchanges = 0; // exchanges begun
    int identifies = 0;
    int startAcks = 0;
    int blocksRead = 0; // block requests accepted (a hang-up may still cut them short)
    int blocksWritten = 0;
    int ignoredRequests = 0; // refused for their address or length
    int endReads = 0;
    int endWrites = 0;
    int portOpens = 0;
    int portCloses = 0;
    bool hungUp = false;
};

// Every frame the radio saw or sent, for tests and for the trace. Thread-safe.
class CFrameLog {
public:
    CFrameLog();

    // Lines go to sink as frames are added; null = no trace. The log does not own the sink.
    void SetSink(std::FILE* sink);
    void Add(CFrame frame);
    void Clear();

    std::vector<CFrame> Frames() const;
    CCounters Counters() const;
    bool WaitFor(const std::function<bool(const CCounters&)>& condition,
                 std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::chrono::steady_clock::time_point origin_;
    std::vector<CFrame> frames_;
    CCounters counters_;
    std::FILE* sink_ = nullptr;
};

} // namespace radiosim
