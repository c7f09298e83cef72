// Every exchange against every way the port or the radio can fail it: the outcome names the fault,
// the caller's image is untouched, no end marker goes out and the port is closed.
#include "core/radiolink/causewords.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"

#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CFakePort;
using EKind = CFakePort::CEvent::EKind;

using CJob = CExchangeResult (*)(CFakePort&, CMemoryImage&, CIdentBlock&);
const struct {
    CJob run;
    bool reads;
    uint16_t second; // the address of the second block; 0: no blocks
} kJobs[] = {
    {[](CFakePort& p, CMemoryImage& m, CIdentBlock&) { return ReadRadio(p, "COM1", m); }, true,
     0x0020},
    {[](CFakePort& p, CMemoryImage& m, CIdentBlock&) { return WriteRadio(p, "COM1", m); }, false,
     0x0020},
    {[](CFakePort& p, CMemoryImage& m, CIdentBlock&) { return InitialiseRadio(p, "COM1", m); },
     false, 0x0020},
    {[](CFakePort& p, CMemoryImage& m, CIdentBlock&) {
         return ReadRegion(p, "COM1", map::kCalibrationRange, m);
     },
     true, 0x3E60},
    {[](CFakePort& p, CMemoryImage& m, CIdentBlock&) {
         return WriteRegion(p, "COM1", map::kDtmfDecoderRange, m);
     },
     false, 0x3E20},
    {[](CFakePort& p, CMemoryImage&, CIdentBlock& i) { return ReadRadioInformation(p, "COM1", i); },
     false, 0},
};

// The words as the Chinese face shows them: each %n filled in with its value's words.
std::string Shown(const CWords& words) {
    std::string text = words.text;
    for (std::size_t i = 0; i < words.values.size() && !words.value; ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        text.replace(text.find(mark), mark.size(), Shown(words.values[i]));
    }
    return text;
}

struct CFault {
    radiosim::CFaults faults;
    ELinkFault kind;   // None: the port is held by another program
    const char* cause; // of a clone read: the command line's words, then the display's
    const char* words;
};

// clang-format off
const CFault kFaults[] = {
    {{}, ELinkFault::None,
     "/dev/ttyUSB0: held by another program", "/dev/ttyUSB0：正被另一个程序占用"},
    {{.silent = true}, ELinkFault::NoWakeUpReply,
     "no reply to the wake-up after 4 attempts", "唤醒 4 次，对讲机都没有应答"},
    {{.identLength = 31}, ELinkFault::ShortIdentBlock,
     "identification block incomplete: 31 of 32 bytes", "识别数据不完整：收到 31 / 32 字节"},
    {{.identLength = 0}, ELinkFault::ShortIdentBlock,
     "identification block incomplete: 0 of 32 bytes", "识别数据不完整：收到 0 / 32 字节"},
    {{.startAckReply = 0x00}, ELinkFault::BadStartAcknowledge,
     "start acknowledge was 0x00, expected 0x41", "开始确认为 0x00，应为 0x41"},
    {{.startAckReply = radiosim::kNoReply}, ELinkFault::BadStartAcknowledge,
     "no reply to the start acknowledge", "开始确认没有应答"},
    {{.badAckBlock = 1}, ELinkFault::BlockNotAcknowledged,
     "block 0x0020 not acknowledged: reply 0x42, expected 0x41",
     "数据块 0x0020 未被确认：应答 0x42，应为 0x41"},
    {{.badAckBlock = 1, .badAckReply = radiosim::kNoReply}, ELinkFault::BlockNotAcknowledged,
     "block 0x0020 not acknowledged: no reply", "数据块 0x0020 未被确认：无应答"},
    {{.stallBlock = 1, .stallMs = 1000}, ELinkFault::ShortBlock,
     "block 0x0020 incomplete: 20 of 36 bytes", "数据块 0x0020 不完整：收到 20 / 36 字节"},
};
// clang-format on

TEST(ExchangeFaultsTest, EveryFaultFailsTheExchangeAndChangesNothing) {
    for (const auto& job : kJobs) {
        for (const CFault& fault : kFaults) {
            const bool inBlock = fault.kind == ELinkFault::BlockNotAcknowledged ||
                                 fault.kind == ELinkFault::ShortBlock;
            // The information has no blocks, and the radio cannot cut short what it is sent.
            if ((inBlock || fault.kind == ELinkFault::BadStartAcknowledge) && job.second == 0)
                continue;
            if (fault.kind == ELinkFault::ShortBlock && !job.reads) continue;
            SCOPED_TRACE(std::string(fault.cause) + ", job " + std::to_string(&job - kJobs));
            CFakePort port;
            test::CScriptedRadio radio(port);
            radio.faults = fault.faults;
            const bool opened = fault.kind != ELinkFault::None;
            if (!opened) {
                port.openResult.failure = EOpenFailure::HeldElsewhere;
                port.openResult.device = "/dev/ttyUSB0";
            }
            const CMemoryImage before = test::RandomImage(7);
            CMemoryImage image = before;
            CIdentBlock ident{};
            ident.fill(0x5A);

            const CExchangeResult result = job.run(port, image, ident);

            EXPECT_EQ(result.outcome, opened ? EExchangeOutcome::CommunicationError
                                             : EExchangeOutcome::PortNotOpened);
            EXPECT_EQ(result.fault.kind, fault.kind) << DescribeCause(result);
            EXPECT_EQ(image, before);
            EXPECT_EQ(ident[0], 0x5A);
            EXPECT_EQ(radio.Counters().endReads + radio.Counters().endWrites, 0);
            EXPECT_FALSE(port.IsOpen());
            EXPECT_EQ(port.Count(EKind::Close), opened ? 1 : 0);
            if (!opened) EXPECT_TRUE(port.Writes().empty());
            // A block cut short is not acknowledged.
            if (fault.kind == ELinkFault::ShortBlock) EXPECT_EQ(port.Writes().back()[0], 'R');
            if (&job == kJobs) {
                EXPECT_EQ(DescribeCause(result), fault.cause);
                EXPECT_EQ(Shown(CauseWords(result)), fault.words);
            } else if (inBlock) {
                EXPECT_EQ(result.fault.address, job.second);
            }
        }
    }
}

} // namespace
} // namespace tarsel
