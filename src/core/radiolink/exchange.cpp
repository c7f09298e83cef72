#include "core/radiolink/exchange.h"

namespace tarsel {

namespace {

CExchangeResult Failed(CLinkFault fault) {
    CExchangeResult result;
    result.outcome = EExchangeOutcome::CommunicationError;
    result.fault = fault;
    return result;
}

} // namespace

std::string DescribeCause(const CExchangeResult& result) {
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        return DescribeOpenFailure(result.open);
    case EExchangeOutcome::CommunicationError:
        return DescribeLinkFault(result.fault);
    case EExchangeOutcome::Done:
        break;
    }
    return "done";
}

CExchangeResult RunExchange(CSerialPort& port, std::string_view portName, const CExchangePlan& plan,
                            CMemoryImage& image, CIdentBlock& ident, const CProgress& progress) {
    CRadioLink link(port);
    CExchangeResult result;
    result.open = link.Open(portName);
    if (!result.open.Succeeded()) {
        result.outcome = EExchangeOutcome::PortNotOpened;
        return result;
    }
    if (const CLinkFault fault = link.WakeUp(plan.wakeUpPauseMs)) return Failed(fault);
    if (const CLinkFault fault = link.Identify(ident)) return Failed(fault);
    if (plan.startAcknowledge)
        if (const CLinkFault fault = link.StartAcknowledge()) return Failed(fault);

    const int total = ProgressTotal(plan.ranges);
    int position = 0;
    for (const CBlock block : BlocksOf(plan.ranges)) {
        const auto bytes = image.Stretch(block.address, block.length);
        const CLinkFault fault = plan.direction == EBlockDirection::Read
                                     ? link.ReadBlock(block, bytes)
                                     : link.WriteBlock(block, bytes);
        if (fault) return Failed(fault);
        if (progress) progress(++position, total);
    }
    if (plan.direction == EBlockDirection::Read)
        link.EndRead();
    else
        link.EndWrite();
    return result;
}

} // namespace tarsel
