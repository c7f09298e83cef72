#include "core/radiolink/transfer.h"

#include "core/radiolink/canceltoken.h"

#include <memory>

namespace tarsel {

namespace {

constexpr int kSettleBeforeVerifyMs = 300;

} // namespace

std::span<const map::CRange> TransferRanges(ETransfer transfer) {
    return transfer == ETransfer::Initialise ? std::span(map::kInitialiseRanges)
                                             : std::span(map::kCloneRanges);
}

int TransferSteps(ETransfer transfer, bool verify) {
    const int steps = ProgressTotal(TransferRanges(transfer));
    return transfer != ETransfer::Read && verify ? 2 * steps : steps;
}

bool ReachedTheBlocks(const CExchangeResult& result) {
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        return false;
    case EExchangeOutcome::CommunicationError:
    case EExchangeOutcome::Cancelled:
        return result.readingBack || result.fault.kind == ELinkFault::ShortBlock ||
               result.fault.kind == ELinkFault::BlockNotAcknowledged;
    case EExchangeOutcome::VerificationFailed:
    case EExchangeOutcome::Done:
        break;
    }
    return true;
}

CExchangeResult CTransferWorker::Run(CSerialPort& port, std::string_view portName,
                                     const CProgress& progress) {
    const bool read = transfer_ == ETransfer::Read;
    const int total = TransferSteps(transfer_, options_.verify);
    const CProgress overall = [&](int position, int) {
        if (progress) progress(position, total);
    };
    const CExchangePlan plan{.direction = read ? EBlockDirection::Read : EBlockDirection::Write,
                             .ranges = TransferRanges(transfer_),
                             .cancel = read ? options_.cancel : nullptr};
    // A read fills a copy, so that a failed one leaves the worker's image as it was.
    auto staged = read ? std::make_unique<CMemoryImage>(image_) : nullptr;
    CIdentBlock ident{};
    const CExchangeResult result =
        RunExchange(port, portName, plan, read ? *staged : image_, ident, overall);
    if (read && result.Done()) {
        image_ = *staged;
        FillBlankBandLimits(image_, IdentBandLimits(ident));
    }
    if (read || !result.Done() || !options_.verify) return result;
    // The radio takes the end marker and leaves its programming mode before it is woken again;
    // opening the port purges it, so a marker still queued for the radio would be lost.
    port.Pause(kSettleBeforeVerifyMs);
    return Verify(port, portName, progress);
}

CExchangeResult CTransferWorker::Verify(CSerialPort& port, std::string_view portName,
                                        const CProgress& progress) {
    const int total = TransferSteps(transfer_, true);
    const int written = total / 2;
    const CProgress overall = [&](int position, int) {
        if (progress) progress(written + position, total);
    };
    // The same block exchange as a read, over exactly the ranges that were sent. The copy starts
    // as the image sent, so a stretch outside the ranges can never count as a difference.
    const CExchangePlan plan{.direction = EBlockDirection::Read,
                             .ranges = TransferRanges(transfer_),
                             .cancel = options_.cancel};
    auto readBack = std::make_unique<CMemoryImage>(image_);
    CIdentBlock ident{};
    CExchangeResult result = RunExchange(port, portName, plan, *readBack, ident, overall);
    result.readingBack = true;
    if (!result.Done()) return result;
    result.verification = CompareRanges(image_, *readBack, plan.ranges);
    if (!result.verification.Matches()) result.outcome = EExchangeOutcome::VerificationFailed;
    return result;
}

CExchangeResult ReadRadio(CSerialPort& port, std::string_view portName, CMemoryImage& image,
                          const CProgress& progress, const CTransferOptions& options) {
    auto worker = std::make_unique<CTransferWorker>(ETransfer::Read, image, options);
    const CExchangeResult result = worker->Run(port, portName, progress);
    if (result.Done()) image = worker->Image();
    return result;
}

CExchangeResult WriteRadio(CSerialPort& port, std::string_view portName, const CMemoryImage& image,
                           const CProgress& progress, const CTransferOptions& options) {
    return std::make_unique<CTransferWorker>(ETransfer::Write, image, options)
        ->Run(port, portName, progress);
}

CExchangeResult InitialiseRadio(CSerialPort& port, std::string_view portName,
                                const CMemoryImage& image, const CProgress& progress,
                                const CTransferOptions& options) {
    return std::make_unique<CTransferWorker>(ETransfer::Initialise, image, options)
        ->Run(port, portName, progress);
}

} // namespace tarsel
