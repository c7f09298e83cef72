#include "core/radiolink/transfer.h"

#include <memory>

namespace tarsel {

std::span<const map::CRange> TransferRanges(ETransfer transfer) {
    return transfer == ETransfer::Initialise ? std::span(map::kInitialiseRanges)
                                             : std::span(map::kCloneRanges);
}

CExchangeResult CTransferWorker::Run(CSerialPort& port, std::string_view portName,
                                     const CProgress& progress) {
    const bool read = transfer_ == ETransfer::Read;
    const CExchangePlan plan{.direction = read ? EBlockDirection::Read : EBlockDirection::Write,
                             .ranges = TransferRanges(transfer_)};
    // A read fills a copy, so that a failed one leaves the worker's image as it was.
    auto staged = read ? std::make_unique<CMemoryImage>(image_) : nullptr;
    CIdentBlock ident{};
    const CExchangeResult result =
        RunExchange(port, portName, plan, read ? *staged : image_, ident, progress);
    if (read && result.Done()) {
        image_ = *staged;
        FillBlankBandLimits(image_, IdentBandLimits(ident));
    }
    return result;
}

CExchangeResult ReadRadio(CSerialPort& port, std::string_view portName, CMemoryImage& image,
                          const CProgress& progress) {
    auto worker = std::make_unique<CTransferWorker>(ETransfer::Read, image);
    const CExchangeResult result = worker->Run(port, portName, progress);
    if (result.Done()) image = worker->Image();
    return result;
}

CExchangeResult WriteRadio(CSerialPort& port, std::string_view portName, const CMemoryImage& image,
                           const CProgress& progress) {
    return std::make_unique<CTransferWorker>(ETransfer::Write, image)
        ->Run(port, portName, progress);
}

CExchangeResult InitialiseRadio(CSerialPort& port, std::string_view portName,
                                const CMemoryImage& image, const CProgress& progress) {
    return std::make_unique<CTransferWorker>(ETransfer::Initialise, image)
        ->Run(port, portName, progress);
}

} // namespace tarsel
