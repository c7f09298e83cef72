// The whole-image transfers: read the radio ("读频"), write it ("写频") and initialise it with the
// complete image ("初始化").
#pragma once

#include "core/radiolink/exchange.h"

#include <span>

namespace tarsel {

enum class ETransfer { Read, Write, Initialise };

std::span<const map::CRange> TransferRanges(ETransfer transfer);

struct CTransferOptions {
    // A write or an initialise reads the ranges it sent back and compares them.
    bool verify = false;
    // Stops a read, or the reading back of a write; never the write itself.
    const CCancelToken* cancel = nullptr;
};

// Whether a write got as far as its blocks: then some of its image may be in the radio.
bool ReachedTheBlocks(const CExchangeResult& result);

// The progress steps of one run: a verified write counts its reading back too.
int TransferSteps(ETransfer transfer, bool verify);

// One transfer on an image of its own, for a worker thread: the caller's image is copied when the
// worker is made (the snapshot a write sends) and nothing is shared while it runs. After a
// complete read, Image() is what the caller commits; after a failed one it must be dropped.
class CTransferWorker {
public:
    CTransferWorker(ETransfer transfer, const CMemoryImage& image, CTransferOptions options = {})
        : transfer_(transfer), image_(image), options_(options) {}

    // Blocks until the transfer ends; progress is called on this thread, over TransferSteps for
    // the whole run. A verification reads into a copy: Image() stays what was sent.
    CExchangeResult Run(CSerialPort& port, std::string_view portName,
                        const CProgress& progress = {});

    ETransfer Transfer() const { return transfer_; }
    const CMemoryImage& Image() const { return image_; }

private:
    CExchangeResult Verify(CSerialPort& port, std::string_view portName, const CProgress& progress);

    ETransfer transfer_;
    CMemoryImage image_;
    CTransferOptions options_;
};

// The same on the calling thread. A read changes image only when it completed: the blocks, then
// the blank band limits filled from the identification block.
CExchangeResult ReadRadio(CSerialPort& port, std::string_view portName, CMemoryImage& image,
                          const CProgress& progress = {}, const CTransferOptions& options = {});
CExchangeResult WriteRadio(CSerialPort& port, std::string_view portName, const CMemoryImage& image,
                           const CProgress& progress = {}, const CTransferOptions& options = {});
CExchangeResult InitialiseRadio(CSerialPort& port, std::string_view portName,
                                const CMemoryImage& image, const CProgress& progress = {},
                                const CTransferOptions& options = {});

} // namespace tarsel
