#include "radiosim/engine.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace radiosim {

namespace {

using namespace std::chrono_literals;

constexpr std::array<uint8_t, 8> kWakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr std::array<uint8_t, 3> kEndPrefix{'E', 'N', 'D'};
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kReadCode = 'R';
constexpr uint8_t kWriteCode = 'W';
constexpr std::size_t kHeaderLength = 4;
constexpr uint8_t kStrayByte = 0x00;

// After "PG" a lone 0x02 asks for the identification, but it is also how a repeated wake-up
// begins when the host missed "PG". The wake-up bytes follow each other within a few ms, a
// little more on a busy machine.
constexpr auto kIdentifyWait = 30ms;
// A frame left unfinished this long is abandoned, so that the next one is read cleanly.
constexpr auto kFrameGap = 200ms;
// A host silent this long has given up: a later wake-up begins a new exchange. It must be longer
// than the host ever waits within an exchange, 1.7 s for a 32-byte read that gets nothing.
constexpr auto kExchangeIdle = 3000ms;

bool ValidBlock(std::size_t address, std::size_t length) {
    return length >= 1 && length <= kMaxBlockLength && address + length <= kMemorySize;
}

std::size_t AddressOf(const std::vector<uint8_t>& frame) {
    return static_cast<std::size_t>(frame[1]) << 8 | frame[2];
}

} // namespace

CRadioEngine::CRadioEngine(const CConfig& config, CRadioMemory& memory, CFrameLog& log,
                           IRadioLine& line)
    : config_(config), memory_(memory), log_(log), line_(line) {}

void CRadioEngine::OnByte(uint8_t byte, Clock::time_point arrival) {
    if (hungUp_) return;
    lastByte_ = arrival;
    switch (partial_) {
    case EPartial::None:
        Dispatch(byte);
        return;
    case EPartial::WakeUp:
        if (byte == kWakeUp[frame_.size()]) {
            frame_.push_back(byte);
            if (frame_.size() == kWakeUp.size()) OnWakeUp();
            return;
        }
        BreakWakeUp();
        Dispatch(byte);
        return;
    case EPartial::EndMarker: {
        const std::size_t n = frame_.size();
        if (n < kEndPrefix.size() ? byte == kEndPrefix[n] : byte == 'R' || byte == 'W') {
            frame_.push_back(byte);
            if (frame_.size() == kEndPrefix.size() + 1) OnEndMarker();
            return;
        }
        DropPartial();
        Dispatch(byte);
        return;
    }
    case EPartial::ReadRequest:
        frame_.push_back(byte);
        if (frame_.size() == kHeaderLength) OnReadRequest();
        return;
    case EPartial::WriteRequest:
        frame_.push_back(byte);
        if (frame_.size() >= kHeaderLength && frame_.size() == kHeaderLength + frame_[3])
            OnWriteRequest();
        return;
    }
}

void CRadioEngine::Dispatch(uint8_t byte) {
    const int readAckDue = std::exchange(readAckDue_, -1);
    // A wake-up may come at any point between frames: the host gave up on an exchange and opens
    // the next one.
    if (byte == kWakeUp[0]) return Begin(EPartial::WakeUp, byte);
    if (state_ == EState::Identified && byte == kAck) return OnStartAck();
    if (state_ == EState::Started && byte == kAck && readAckDue >= 0) return OnReadAck(readAckDue);
    if (state_ == EState::Started && byte == kReadCode) return Begin(EPartial::ReadRequest, byte);
    if (state_ == EState::Started && byte == kWriteCode) return Begin(EPartial::WriteRequest, byte);
    if ((state_ == EState::Identified || state_ == EState::Started) && byte == kEndPrefix[0])
        return Begin(EPartial::EndMarker, byte);
    junk_.push_back(byte);
}

void CRadioEngine::Begin(EPartial partial, uint8_t byte) {
    FlushJunk();
    partial_ = partial;
    frame_.assign(1, byte);
}

std::vector<uint8_t> CRadioEngine::TakeFrame() {
    partial_ = EPartial::None;
    return std::exchange(frame_, {});
}

void CRadioEngine::DropPartial() {
    const std::vector<uint8_t> frame = TakeFrame();
    junk_.insert(junk_.end(), frame.begin(), frame.end());
}

void CRadioEngine::FlushJunk() {
    if (!junk_.empty()) Log(EFrameKind::Junk, std::exchange(junk_, {}));
}

bool CRadioEngine::MayBeIdentify() const {
    // A silent radio cannot be asked anything, so every 0x02 may begin a wake-up.
    return partial_ == EPartial::WakeUp && state_ == EState::Woken && frame_.size() == 1 &&
           !config_.faults.silent;
}

void CRadioEngine::BreakWakeUp() {
    if (MayBeIdentify()) {
        TakeFrame();
        OnIdentify();
    } else {
        DropPartial();
    }
}

void CRadioEngine::OnWakeUp() {
    // A wake-up right after "PG" means the host did not recognise it and is trying again.
    const bool repeated = state_ == EState::Woken;
    std::vector<uint8_t> bytes = TakeFrame();
    if (!repeated) {
        EndExchange();
        ++exchange_;
        nextBlock_ = 0;
    }
    Log(EFrameKind::WakeUp, std::move(bytes));
    state_ = EState::Woken;
    if (!repeated && FaultsApply() && config_.faults.strayBytes > 0)
        Reply(
            EFrameKind::StrayBytes,
            std::vector<uint8_t>(static_cast<std::size_t>(config_.faults.strayBytes), kStrayByte));
    Reply(EFrameKind::WakeUpReply, {'P', 'G'});
}

void CRadioEngine::OnIdentify() {
    Log(EFrameKind::Identify, {kIdentify});
    state_ = EState::Identified;
    const auto block = BuildIdentBlock(config_);
    std::size_t length = block.size();
    if (FaultsApply())
        length = static_cast<std::size_t>(
            std::clamp(config_.faults.identLength, 0, static_cast<int>(block.size())));
    Reply(EFrameKind::IdentBlock, {block.begin(), block.begin() + length});
}

void CRadioEngine::OnStartAck() {
    Log(EFrameKind::StartAck, {kAck});
    state_ = EState::Started;
    ReplyByte(EFrameKind::StartAckReply, FaultsApply() ? config_.faults.startAckReply : kAck);
}

void CRadioEngine::OnReadRequest() {
    std::vector<uint8_t> request = TakeFrame();
    const std::size_t address = AddressOf(request);
    const std::size_t length = request[3];
    if (!ValidBlock(address, length)) return Log(EFrameKind::ReadRequest, request, true);

    const int block = nextBlock_++;
    Log(EFrameKind::ReadRequest, request);
    if (FaultAt(config_.faults.hangUpBlock, block)) return HangUp();

    // The header is not looked at by the host; the radio answers as if it were writing to it.
    std::vector<uint8_t> reply{kWriteCode, request[1], request[2], request[3]};
    const auto stored = memory_.Read(address, length);
    reply.insert(reply.end(), stored.begin(), stored.end());
    const bool stall = FaultAt(config_.faults.stallBlock, block);
    Reply(EFrameKind::ReadReply, std::move(reply), stall ? kHeaderLength + length / 2 : 0);
    readAckDue_ = block;
}

void CRadioEngine::OnReadAck(int block) {
    Log(EFrameKind::ReadAck, {kAck});
    ReplyByte(EFrameKind::BlockAck,
              FaultAt(config_.faults.badAckBlock, block) ? config_.faults.badAckReply : kAck);
}

void CRadioEngine::OnWriteRequest() {
    std::vector<uint8_t> request = TakeFrame();
    const std::size_t address = AddressOf(request);
    const std::size_t length = request[3];
    // Refused data was still swallowed, so that it is not taken for frames.
    if (!ValidBlock(address, length)) return Log(EFrameKind::WriteRequest, request, true);

    const int block = nextBlock_++;
    Log(EFrameKind::WriteRequest, request);
    // The cable comes off while the data is on its way: nothing is stored.
    if (FaultAt(config_.faults.hangUpBlock, block)) return HangUp();

    std::span<uint8_t> data = std::span(request).subspan(kHeaderLength);
    // A flash cell that took the wrong value: the host has no way to tell but to read it back.
    const auto corrupt = static_cast<std::size_t>(config_.faults.corruptWriteOffset);
    if (FaultAt(config_.faults.corruptWriteBlock, block) && corrupt < data.size())
        data[corrupt] = static_cast<uint8_t>(~data[corrupt]);
    memory_.Write(address, data);
    wroteBlocks_ = true;
    if (FaultAt(config_.faults.stallBlock, block))
        line_.Pause(std::chrono::milliseconds(config_.faults.stallMs));
    ReplyByte(EFrameKind::BlockAck,
              FaultAt(config_.faults.badAckBlock, block) ? config_.faults.badAckReply : kAck);
}

void CRadioEngine::OnEndMarker() {
    std::vector<uint8_t> marker = TakeFrame();
    const EFrameKind kind = marker.back() == 'R' ? EFrameKind::EndRead : EFrameKind::EndWrite;
    Log(kind, std::move(marker));
    EndExchange();
}

void CRadioEngine::EndExchange() {
    if (state_ == EState::Idle) return;
    state_ = EState::Idle;
    readAckDue_ = -1;
    if (onExchangeEnd) onExchangeEnd(std::exchange(wroteBlocks_, false));
}

void CRadioEngine::HangUp() {
    hungUp_ = true;
    Log(EFrameKind::HangUp, {});
    EndExchange();
    line_.HangUp();
}

std::optional<Clock::time_point> CRadioEngine::NextDeadline() const {
    if (hungUp_) return std::nullopt;
    std::optional<Clock::time_point> deadline;
    if (MayBeIdentify())
        deadline = lastByte_ + kIdentifyWait;
    else if (partial_ != EPartial::None || !junk_.empty())
        deadline = lastByte_ + kFrameGap;
    if (state_ != EState::Idle)
        deadline = std::min(deadline.value_or(Clock::time_point::max()), lastByte_ + kExchangeIdle);
    return deadline;
}

void CRadioEngine::OnDeadline(Clock::time_point now) {
    if (hungUp_) return;
    const auto silence = now - lastByte_;
    if (MayBeIdentify()) {
        if (silence >= kIdentifyWait) BreakWakeUp();
    } else if (partial_ != EPartial::None && silence >= kFrameGap) {
        DropPartial();
    }
    if (silence >= kFrameGap) FlushJunk();
    if (silence >= kExchangeIdle) EndExchange();
}

void CRadioEngine::Finish() {
    if (hungUp_) return;
    DropPartial();
    FlushJunk();
    EndExchange();
}

bool CRadioEngine::FaultsApply() const {
    return config_.faults.exchange < 0 || config_.faults.exchange == exchange_;
}

bool CRadioEngine::FaultAt(int faultBlock, int block) const {
    return faultBlock >= 0 && faultBlock == block && FaultsApply();
}

void CRadioEngine::Log(EFrameKind kind, std::vector<uint8_t> bytes, bool ignored) {
    log_.Add({.kind = kind, .bytes = std::move(bytes), .exchange = exchange_, .ignored = ignored});
}

void CRadioEngine::Reply(EFrameKind kind, std::vector<uint8_t> bytes, std::size_t stallAt) {
    if (config_.faults.silent || bytes.empty()) return;
    // Logged first: whoever has read the reply finds it in the log already.
    Log(kind, bytes);
    if (stallAt == 0 || stallAt >= bytes.size()) return line_.Send(bytes);
    line_.Send(std::span(bytes).first(stallAt));
    line_.Pause(std::chrono::milliseconds(config_.faults.stallMs));
    line_.Send(std::span(bytes).subspan(stallAt));
}

void CRadioEngine::ReplyByte(EFrameKind kind, int byte) {
    if (byte != kNoReply) Reply(kind, {static_cast<uint8_t>(byte)});
}

} // namespace radiosim
