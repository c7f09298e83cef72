// One image written to many radios at once: a transfer per port, each on a thread of its own with
// its own serial port and its own copy of the image, so that a radio that fails (no port, no
// answer, a pulled cable, other bytes read back) neither stops nor slows the others.
#pragma once

#include "core/radiolink/transfer.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tarsel {

// Makes the port a transfer runs on; called on the caller's thread, once per port, before any
// transfer starts.
using CPortMaker = std::function<std::unique_ptr<CSerialPort>()>;

// Called on the worker threads, for the port at index; several may call at once.
struct CMultiCallbacks {
    std::function<void(std::size_t index, int position, int total)> progress;
    std::function<void(std::size_t index, const CExchangeResult& result)> finished;
};

// Where one port's transfer stands, readable from any thread while it runs.
struct CPortProgress {
    int position = 0;
    int total = 0;
    bool finished = false;
};

// Whether a run reads back: from the middle of its steps on, a verified write only reads.
bool ReadingBack(ETransfer transfer, bool verify, int position);

class CMultiTransfer {
public:
    // A write or an initialise of image to every port in portNames, in that order.
    CMultiTransfer(ETransfer transfer, const CMemoryImage& image,
                   std::vector<std::string> portNames, CTransferOptions options = {});
    // Waits for every transfer: a write is never abandoned half way.
    ~CMultiTransfer();
    CMultiTransfer(const CMultiTransfer&) = delete;
    CMultiTransfer& operator=(const CMultiTransfer&) = delete;

    // Starts every transfer at once; only once per object.
    void Start(const CPortMaker& makePort, CMultiCallbacks callbacks = {});
    // Blocks until every transfer ended; the results are in the order of the port names.
    std::vector<CExchangeResult> Wait();

    std::size_t Count() const { return slots_.size(); }
    const std::string& PortName(std::size_t index) const { return slots_[index]->portName; }
    CPortProgress Progress(std::size_t index) const;
    bool Finished() const;
    // The snapshot every radio is sent.
    const CMemoryImage& Image() const { return *image_; }
    ETransfer Transfer() const { return transfer_; }
    bool Verifies() const { return options_.verify; }

private:
    struct CSlot {
        std::string portName;
        std::unique_ptr<CSerialPort> port;
        std::unique_ptr<CTransferWorker> worker;
        std::thread thread;
        std::atomic<int> position{0};
        std::atomic<int> total{0};
        std::atomic<bool> finished{false};
        CExchangeResult result; // written by its thread, read after the join
    };

    void RunSlot(std::size_t index);

    ETransfer transfer_;
    std::unique_ptr<CMemoryImage> image_;
    CTransferOptions options_;
    CMultiCallbacks callbacks_;
    std::vector<std::unique_ptr<CSlot>> slots_;
    bool started_ = false;
};

// Writes image to every port and waits; the results are in the order of portNames.
std::vector<CExchangeResult> TransferToAll(ETransfer transfer, const CMemoryImage& image,
                                           const std::vector<std::string>& portNames,
                                           const CPortMaker& makePort,
                                           const CTransferOptions& options = {},
                                           CMultiCallbacks callbacks = {});

} // namespace tarsel
