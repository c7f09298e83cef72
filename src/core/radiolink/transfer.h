// The whole-image transfers: read the radio ("读频"), write it ("写频") and initialise it with the
// complete image ("初始化").
#pragma once

#include "core/radiolink/exchange.h"

#include <span>

namespace tarsel {

enum class ETransfer { Read, Write, Initialise };

std::span<const map::CRange> TransferRanges(ETransfer transfer);

// One transfer on an image of its own, for a worker thread: the caller's image is copied when the
// worker is made (the snapshot a write sends) and nothing is shared while it runs. After a
// complete read, Image() is what the caller commits; after a failed one it must be dropped.
class CTransferWorker {
public:
    CTransferWorker(ETransfer transfer, const CMemoryImage& image)
        : transfer_(transfer), image_(image) {}

    // Blocks until the transfer ends; progress is called on this thread.
    CExchangeResult Run(CSerialPort& port, std::string_view portName,
                        const CProgress& progress = {});

    ETransfer Transfer() const { return transfer_; }
    const CMemoryImage& Image() const { return image_; }

private:
    ETransfer transfer_;
    CMemoryImage image_;
};

// The same on the calling thread. A read changes image only when it completed: the blocks, then
// the blank band limits filled from the identification block.
CExchangeResult ReadRadio(CSerialPort& port, std::string_view portName, CMemoryImage& image,
                          const CProgress& progress = {});
CExchangeResult WriteRadio(CSerialPort& port, std::string_view portName, const CMemoryImage& image,
                           const CProgress& progress = {});
CExchangeResult InitialiseRadio(CSerialPort& port, std::string_view portName,
                                const CMemoryImage& image, const CProgress& progress = {});

} // namespace tarsel
