// One exchange with the radio from open to close: the link opening, the blocks of some ranges in
// one direction, the end marker. The transfers and the service exchanges are plans for it.
#pragma once

#include "core/image/memoryimage.h"
#include "core/radiolink/protocol.h"
#include "core/radiolink/verification.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

class CCancelToken;

enum class EExchangeOutcome {
    PortNotOpened,
    CommunicationError,
    Cancelled,          // stopped on request; nothing was committed
    VerificationFailed, // the write went through, but the radio reads back other bytes
    Done,
};

struct CExchangeResult {
    EExchangeOutcome outcome = EExchangeOutcome::Done;
    COpenResult open;           // why the port could not be opened
    CLinkFault fault;           // what went wrong on the open link
    CVerification verification; // after a verified write
    bool readingBack = false;   // the failure came while reading a write back

    bool Done() const { return outcome == EExchangeOutcome::Done; }
};

// The cause in words a user can act on: the open failure or the link fault.
std::string DescribeCause(const CExchangeResult& result);

// After each acknowledged block: steps done so far and the steps there are.
using CProgress = std::function<void(int position, int total)>;

enum class EBlockDirection { Read, Write };

struct CExchangePlan {
    EBlockDirection direction = EBlockDirection::Read;
    std::span<const map::CRange> ranges;
    int wakeUpPauseMs = kCloneWakeUpPauseMs;
    bool startAcknowledge = true; // the radio information goes straight from identify to "ENDR"
    // Checked between steps, and wakes the port's waits. A write is never given one: a radio
    // left half written is worse than waiting for the end.
    const CCancelToken* cancel = nullptr;
};

// Runs one exchange on image: a read stores the blocks into it as they arrive, a write sends them
// from it. The caller decides what image is (a staging copy for a read: the blocks of a failed
// read are in it). ident receives the identification block. The port is closed on return; the end
// marker goes out only after the last block. A cancelled exchange sends no end marker.
CExchangeResult RunExchange(CSerialPort& port, std::string_view portName, const CExchangePlan& plan,
                            CMemoryImage& image, CIdentBlock& ident,
                            const CProgress& progress = {});

} // namespace tarsel
