#include "radiosim/framelog.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace radiosim {

namespace {

struct CKindInfo {
    EFrameKind kind;
    std::string_view name;
    EDirection direction;
};

constexpr std::array kKinds{
    CKindInfo{EFrameKind::WakeUp, "WakeUp", EDirection::FromHost},
    CKindInfo{EFrameKind::Identify, "Identify", EDirection::FromHost},
    CKindInfo{EFrameKind::StartAck, "StartAck", EDirection::FromHost},
    CKindInfo{EFrameKind::ReadRequest, "ReadRequest", EDirection::FromHost},
    CKindInfo{EFrameKind::ReadAck, "ReadAck", EDirection::FromHost},
    CKindInfo{EFrameKind::WriteRequest, "WriteRequest", EDirection::FromHost},
    CKindInfo{EFrameKind::EndRead, "EndRead", EDirection::FromHost},
    CKindInfo{EFrameKind::EndWrite, "EndWrite", EDirection::FromHost},
    CKindInfo{EFrameKind::Junk, "Junk", EDirection::FromHost},
    CKindInfo{EFrameKind::WakeUpReply, "WakeUpReply", EDirection::ToHost},
    CKindInfo{EFrameKind::StrayBytes, "StrayBytes", EDirection::ToHost},
    CKindInfo{EFrameKind::IdentBlock, "IdentBlock", EDirection::ToHost},
    CKindInfo{EFrameKind::StartAckReply, "StartAckReply", EDirection::ToHost},
    CKindInfo{EFrameKind::ReadReply, "ReadReply", EDirection::ToHost},
    CKindInfo{EFrameKind::BlockAck, "BlockAck", EDirection::ToHost},
    CKindInfo{EFrameKind::PortOpened, "PortOpened", EDirection::Event},
    CKindInfo{EFrameKind::PortClosed, "PortClosed", EDirection::Event},
    CKindInfo{EFrameKind::HangUp, "HangUp", EDirection::Event},
};

const CKindInfo& InfoOf(EFrameKind kind) {
    return *std::find_if(std::begin(kKinds), std::end(kKinds),
                         [kind](const CKindInfo& info) { return info.kind == kind; });
}

void Count(CCounters& counters, const CFrame& frame) {
    counters.exchanges = std::max(counters.exchanges, frame.exchange + 1);
    switch (frame.kind) {
    case EFrameKind::WakeUp:
        ++counters.wakeUps;
        break;
    case EFrameKind::Identify:
        ++counters.identifies;
        break;
    case EFrameKind::StartAck:
        ++counters.startAcks;
        break;
    case EFrameKind::ReadRequest:
        ++(frame.ignored ? counters.ignoredRequests : counters.blocksRead);
        break;
    case EFrameKind::WriteRequest:
        ++(frame.ignored ? counters.ignoredRequests : counters.blocksWritten);
        break;
    case EFrameKind::EndRead:
        ++counters.endReads;
        break;
    case EFrameKind::EndWrite:
        ++counters.endWrites;
        break;
    case EFrameKind::PortOpened:
        ++counters.portOpens;
        break;
    case EFrameKind::PortClosed:
        ++counters.portCloses;
        break;
    case EFrameKind::HangUp:
        counters.hungUp = true;
        break;
    default:
        break;
    }
}

} // namespace

EDirection DirectionOf(EFrameKind kind) { return InfoOf(kind).direction; }

std::string_view KindName(EFrameKind kind) { return InfoOf(kind).name; }

std::string FormatFrame(const CFrame& frame) {
    static constexpr std::array<std::string_view, 3> kSides{"host ", "radio", "event"};
    char head[64];
    std::snprintf(head, sizeof head, "%10.3f ms  #%d  %s  ",
                  static_cast<double>(frame.at.count()) / 1000.0, frame.exchange,
                  kSides[static_cast<std::size_t>(DirectionOf(frame.kind))].data());
    std::string line = head;
    line += KindName(frame.kind);
    if (frame.ignored) line += " (ignored)";
    if (!frame.bytes.empty()) line += " ";
    for (uint8_t byte : frame.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", byte);
        line += hex;
    }
    return line;
}

CFrameLog::CFrameLog() : origin_(std::chrono::steady_clock::now()) {}

void CFrameLog::SetSink(std::FILE* sink) {
    std::lock_guard lock(mutex_);
    sink_ = sink;
}

void CFrameLog::Add(CFrame frame) {
    frame.at = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - origin_);
    {
        std::lock_guard lock(mutex_);
        if (sink_ != nullptr) {
            std::fprintf(sink_, "%s\n", FormatFrame(frame).c_str());
            std::fflush(sink_);
        }
        Count(counters_, frame);
        frames_.push_back(std::move(frame));
    }
    changed_.notify_all();
}

void CFrameLog::Clear() {
    std::lock_guard lock(mutex_);
    frames_.clear();
    counters_ = {};
}

std::vector<CFrame> CFrameLog::Frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

CCounters CFrameLog::Counters() const {
    std::lock_guard lock(mutex_);
    return counters_;
}

bool CFrameLog::WaitFor(const std::function<bool(const CCounters&)>& condition,
                        std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return condition(counters_); });
}

} // namespace radiosim
