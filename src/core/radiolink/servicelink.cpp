#include "core/radiolink/servicelink.h"

#include <algorithm>
#include <memory>

namespace tarsel {

CExchangeResult ReadRegion(CSerialPort& port, std::string_view portName, map::CRange region,
                           CMemoryImage& image, const CCancelToken* cancel,
                           const CProgress& progress) {
    const CExchangePlan plan{
        .direction = EBlockDirection::Read, .ranges = std::span(&region, 1), .cancel = cancel};
    auto staged = std::make_unique<CMemoryImage>(image);
    CIdentBlock ident{};
    const CExchangeResult result = RunExchange(port, portName, plan, *staged, ident, progress);
    if (result.Done())
        for (const CBlock block : BlocksOf(plan.ranges)) {
            const auto from = staged->Stretch(block.address, block.length);
            std::copy(from.begin(), from.end(), image.Stretch(block.address, block.length).begin());
        }
    return result;
}

CExchangeResult WriteRegion(CSerialPort& port, std::string_view portName, map::CRange region,
                            const CMemoryImage& image, const CProgress& progress) {
    const CExchangePlan plan{.direction = EBlockDirection::Write, .ranges = std::span(&region, 1)};
    auto snapshot = std::make_unique<CMemoryImage>(image);
    CIdentBlock ident{};
    return RunExchange(port, portName, plan, *snapshot, ident, progress);
}

CExchangeResult ReadRadioInformation(CSerialPort& port, std::string_view portName,
                                     CIdentBlock& ident, const CCancelToken* cancel) {
    CExchangePlan plan; // no blocks
    plan.cancel = cancel;
    plan.wakeUpPauseMs = kInformationWakeUpPauseMs;
    plan.startAcknowledge = false;
    CMemoryImage untouched;
    CIdentBlock received{};
    const CExchangeResult result = RunExchange(port, portName, plan, untouched, received);
    if (result.Done()) ident = received;
    return result;
}

} // namespace tarsel
