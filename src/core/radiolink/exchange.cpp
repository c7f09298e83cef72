#include "core/radiolink/exchange.h"

namespace tarsel {

namespace {

CExchangeResult Failed(const CSerialPort& port, CLinkFault fault) {
    CExchangeResult result;
    // A step cut short by a cancel request looks like a missing reply; it is not one.
    result.outcome =
        port.CancelRequested() ? EExchangeOutcome::Cancelled : EExchangeOutcome::CommunicationError;
    result.fault = fault;
    return result;
}

// The port wakes on the plan's token for this exchange only.
class CCancelScope {
public:
    CCancelScope(CSerialPort& port, const CCancelToken* token) : port_(port) {
        port_.UseCancelToken(token);
    }
    ~CCancelScope() { port_.UseCancelToken(nullptr); }
    CCancelScope(const CCancelScope&) = delete;
    CCancelScope& operator=(const CCancelScope&) = delete;

private:
    CSerialPort& port_;
};

} // namespace

std::string DescribeCause(const CExchangeResult& result) {
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        return DescribeOpenFailure(result.open);
    case EExchangeOutcome::CommunicationError:
        return (result.readingBack ? "reading back: " : "") + DescribeLinkFault(result.fault);
    case EExchangeOutcome::Cancelled:
        return "cancelled";
    case EExchangeOutcome::VerificationFailed:
        return DescribeVerification(result.verification);
    case EExchangeOutcome::Done:
        break;
    }
    return "done";
}

CExchangeResult RunExchange(CSerialPort& port, std::string_view portName, const CExchangePlan& plan,
                            CMemoryImage& image, CIdentBlock& ident, const CProgress& progress) {
    const CCancelScope scope(port, plan.cancel);
    CRadioLink link(port);
    CExchangeResult result;
    if (port.CancelRequested()) {
        result.outcome = EExchangeOutcome::Cancelled;
        return result;
    }
    result.open = link.Open(portName);
    if (!result.open.Succeeded()) {
        result.outcome = EExchangeOutcome::PortNotOpened;
        return result;
    }
    if (const CLinkFault fault = link.WakeUp(plan.wakeUpPauseMs)) return Failed(port, fault);
    if (const CLinkFault fault = link.Identify(ident)) return Failed(port, fault);
    if (plan.startAcknowledge)
        if (const CLinkFault fault = link.StartAcknowledge()) return Failed(port, fault);

    const int total = ProgressTotal(plan.ranges);
    int position = 0;
    for (const CBlock block : BlocksOf(plan.ranges)) {
        const auto bytes = image.Stretch(block.address, block.length);
        const CLinkFault fault = plan.direction == EBlockDirection::Read
                                     ? link.ReadBlock(block, bytes)
                                     : link.WriteBlock(block, bytes);
        if (fault) return Failed(port, fault);
        if (port.CancelRequested()) return Failed(port, {});
        if (progress) progress(++position, total);
    }
    if (plan.direction == EBlockDirection::Read)
        link.EndRead();
    else
        link.EndWrite();
    return result;
}

} // namespace tarsel
