#include "core/radiolink/multitransfer.h"

namespace tarsel {

bool ReadingBack(ETransfer transfer, bool verify, int position) {
    return transfer != ETransfer::Read && verify && position >= TransferSteps(transfer, false);
}

CMultiTransfer::CMultiTransfer(ETransfer transfer, const CMemoryImage& image,
                               std::vector<std::string> portNames, CTransferOptions options)
    : transfer_(transfer), image_(std::make_unique<CMemoryImage>(image)), options_(options) {
    for (std::string& name : portNames) {
        auto slot = std::make_unique<CSlot>();
        slot->portName = std::move(name);
        slot->total = TransferSteps(transfer, options.verify);
        slots_.push_back(std::move(slot));
    }
}

CMultiTransfer::~CMultiTransfer() {
    for (auto& slot : slots_)
        if (slot->thread.joinable()) slot->thread.join();
}

void CMultiTransfer::Start(const CPortMaker& makePort, CMultiCallbacks callbacks) {
    if (started_) return;
    started_ = true;
    callbacks_ = std::move(callbacks);
    // Everything a worker owns is made here, before the first thread runs: from then on the
    // threads share nothing but the callbacks and a cancel token, both safe across threads.
    for (auto& slot : slots_) {
        slot->port = makePort();
        slot->worker = std::make_unique<CTransferWorker>(transfer_, *image_, options_);
    }
    for (std::size_t i = 0; i < slots_.size(); ++i)
        slots_[i]->thread = std::thread([this, i] { RunSlot(i); });
}

void CMultiTransfer::RunSlot(std::size_t index) {
    CSlot& slot = *slots_[index];
    slot.result = slot.worker->Run(*slot.port, slot.portName, [&](int position, int total) {
        slot.total.store(total, std::memory_order_relaxed);
        slot.position.store(position, std::memory_order_release);
        if (callbacks_.progress) callbacks_.progress(index, position, total);
    });
    slot.finished.store(true, std::memory_order_release);
    if (callbacks_.finished) callbacks_.finished(index, slot.result);
}

std::vector<CExchangeResult> CMultiTransfer::Wait() {
    std::vector<CExchangeResult> results;
    for (auto& slot : slots_) {
        if (slot->thread.joinable()) slot->thread.join();
        results.push_back(slot->result);
    }
    return results;
}

CPortProgress CMultiTransfer::Progress(std::size_t index) const {
    const CSlot& slot = *slots_[index];
    return {.position = slot.position.load(std::memory_order_acquire),
            .total = slot.total.load(std::memory_order_relaxed),
            .finished = slot.finished.load(std::memory_order_acquire)};
}

bool CMultiTransfer::Finished() const {
    for (const auto& slot : slots_)
        if (!slot->finished.load(std::memory_order_acquire)) return false;
    return true;
}

std::vector<CExchangeResult> TransferToAll(ETransfer transfer, const CMemoryImage& image,
                                           const std::vector<std::string>& portNames,
                                           const CPortMaker& makePort,
                                           const CTransferOptions& options,
                                           CMultiCallbacks callbacks) {
    CMultiTransfer run(transfer, image, portNames, options);
    run.Start(makePort, std::move(callbacks));
    return run.Wait();
}

} // namespace tarsel
