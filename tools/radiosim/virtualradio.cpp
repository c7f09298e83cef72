#include "radiosim/virtualradio.h"

#include "radiosim/engine.h"
#include "radiosim/ptyline.h"

#include <cerrno>
#include <exception>
#include <sys/prctl.h>
#include <system_error>

namespace radiosim {

CVirtualRadio::CVirtualRadio(CConfig config) : config_(std::move(config)) {}

CVirtualRadio::~CVirtualRadio() {
    try {
        Stop();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarsel-radiosim: %s\n", error.what());
    }
}

void CVirtualRadio::Start() {
    if (line_) return;
    if (!config_.memoryPath.empty()) memory_.LoadFile(config_.memoryPath);

    auto line = std::make_unique<CPtyLine>(config_.pace);
    line->Open(config_.linkPath);
    if (config_.tracePath == "-") {
        trace_ = stderr;
    } else if (!config_.tracePath.empty()) {
        trace_ = std::fopen(config_.tracePath.c_str(), "w");
        if (trace_ == nullptr)
            throw std::system_error(errno, std::generic_category(), config_.tracePath);
        ownsTrace_ = true;
    }
    log_.SetSink(trace_);

    line->onHostPort = [this](bool opened) {
        CFrame event;
        event.kind = opened ? EFrameKind::PortOpened : EFrameKind::PortClosed;
        log_.Add(std::move(event));
    };
    engine_ = std::make_unique<CRadioEngine>(config_, memory_, log_, *line);
    engine_->onExchangeEnd = [this](bool wroteBlocks) { OnExchangeEnd(wroteBlocks); };
    devicePath_ = line->DevicePath();
    line_ = std::move(line);
    thread_ = std::thread([this] { Serve(); });
}

void CVirtualRadio::Stop() {
    if (!line_) return;
    line_->RequestStop();
    if (thread_.joinable()) thread_.join();
    if (!hungUp_) engine_->Finish();
    engine_.reset();
    line_.reset();
    log_.SetSink(nullptr);
    if (ownsTrace_) std::fclose(trace_);
    trace_ = nullptr;
    ownsTrace_ = false;
    if (config_.saveOnExit && !config_.memoryPath.empty()) SaveMemory();
}

void CVirtualRadio::SaveMemory() const { memory_.SaveFile(config_.memoryPath); }

std::vector<CFrame> CVirtualRadio::ReceivedFrames() const {
    std::vector<CFrame> received;
    for (CFrame& frame : log_.Frames())
        if (DirectionOf(frame.kind) == EDirection::FromHost) received.push_back(std::move(frame));
    return received;
}

void CVirtualRadio::Serve() {
    // The default slack of 50 us on every timed wait would slow a paced transfer noticeably.
    if (config_.pace) ::prctl(PR_SET_TIMERSLACK, 1UL);
    for (;;) {
        const auto deadline = engine_->NextDeadline();
        const auto arrival = line_->Receive(deadline);
        if (line_->Stopping() || line_->Down()) break;
        if (arrival)
            engine_->OnByte(arrival->byte, arrival->at);
        else
            engine_->OnDeadline(Clock::now());
    }
    hungUp_ = line_->Down();
}

void CVirtualRadio::OnExchangeEnd(bool wroteBlocks) {
    if (!wroteBlocks || !config_.saveOnWrite || config_.memoryPath.empty()) return;
    try {
        SaveMemory();
    } catch (const std::exception& error) {
        // The radio carries on: its memory is intact, only the copy on disk is behind.
        std::fprintf(stderr, "tarsel-radiosim: %s\n", error.what());
    }
}

} // namespace radiosim
