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

enum class EJob { Read, Write, Initialise, ReadCalibration, WriteDtmfDecoder, Information };
constexpr EJob kJobs[] = {
    EJob::Read,       EJob::Write, EJob::Initialise, EJob::ReadCalibration, EJob::WriteDtmfDecoder,
    EJob::Information};

CExchangeResult RunJob(EJob job, CFakePort& port, CMemoryImage& image, CIdentBlock& ident) {
    switch (job) {
    case EJob::Read:
        return ReadRadio(port, "COM1", image);
    case EJob::Write:
        return WriteRadio(port, "COM1", image);
    case EJob::Initialise:
        return InitialiseRadio(port, "COM1", image);
    case EJob::ReadCalibration:
        return ReadRegion(port, "COM1", map::kCalibrationRange, image);
    case EJob::WriteDtmfDecoder:
        return WriteRegion(port, "COM1", map::kDtmfDecoderRange, image);
    case EJob::Information:
        return ReadRadioInformation(port, "COM1", ident);
    }
    return {};
}

// The words as the Chinese face shows them: each %n filled in with its value's words.
std::string Shown(const CWords& words) {
    std::string text = words.text;
    for (std::size_t i = 0; i < words.values.size() && !words.value; ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        text.replace(text.find(mark), mark.size(), Shown(words.values[i]));
    }
    return text;
}

enum EScope { kAll, kBlocks, kReads };

struct CFault {
    const char* name;
    void (*apply)(CFakePort&, radiosim::CFaults&);
    ELinkFault kind;
    EScope scope;
    const char* cause; // of a clone read: the command line's words, then the display's
    const char* words;
};

const CFault kFaults[] = {
    {"held elsewhere",
     [](CFakePort& p, radiosim::CFaults&) {
         p.openResult.failure = EOpenFailure::HeldElsewhere;
         p.openResult.device = "/dev/ttyUSB0";
     },
     ELinkFault::None, kAll, "/dev/ttyUSB0: held by another program",
     "/dev/ttyUSB0：正被另一个程序占用"},
    {"silent", [](CFakePort&, radiosim::CFaults& f) { f.silent = true; }, ELinkFault::NoWakeUpReply,
     kAll, "no reply to the wake-up after 4 attempts", "唤醒 4 次，对讲机都没有应答"},
    {"identification cut short", [](CFakePort&, radiosim::CFaults& f) { f.identLength = 31; },
     ELinkFault::ShortIdentBlock, kAll, "identification block incomplete: 31 of 32 bytes",
     "识别数据不完整：收到 31 / 32 字节"},
    {"no identification", [](CFakePort&, radiosim::CFaults& f) { f.identLength = 0; },
     ELinkFault::ShortIdentBlock, kAll, "identification block incomplete: 0 of 32 bytes",
     "识别数据不完整：收到 0 / 32 字节"},
    {"start acknowledge 0x00", [](CFakePort&, radiosim::CFaults& f) { f.startAckReply = 0x00; },
     ELinkFault::BadStartAcknowledge, kBlocks, "start acknowledge was 0x00, expected 0x41",
     "开始确认为 0x00，应为 0x41"},
    {"no start acknowledge",
     [](CFakePort&, radiosim::CFaults& f) { f.startAckReply = radiosim::kNoReply; },
     ELinkFault::BadStartAcknowledge, kBlocks, "no reply to the start acknowledge",
     "开始确认没有应答"},
    {"wrong block acknowledge", [](CFakePort&, radiosim::CFaults& f) { f.badAckBlock = 1; },
     ELinkFault::BlockNotAcknowledged, kBlocks,
     "block 0x0020 not acknowledged: reply 0x42, expected 0x41",
     "数据块 0x0020 未被确认：应答 0x42，应为 0x41"},
    {"missing block acknowledge",
     [](CFakePort&, radiosim::CFaults& f) {
         f.badAckBlock = 1;
         f.badAckReply = radiosim::kNoReply;
     },
     ELinkFault::BlockNotAcknowledged, kBlocks, "block 0x0020 not acknowledged: no reply",
     "数据块 0x0020 未被确认：无应答"},
    {"short block",
     [](CFakePort&, radiosim::CFaults& f) {
         f.stallBlock = 1;
         f.stallMs = 1000;
     },
     ELinkFault::ShortBlock, kReads, "block 0x0020 incomplete: 20 of 36 bytes",
     "数据块 0x0020 不完整：收到 20 / 36 字节"},
};

TEST(ExchangeFaultsTest, EveryFaultFailsTheExchangeAndChangesNothing) {
    for (const EJob job : kJobs) {
        for (const CFault& fault : kFaults) {
            if (fault.scope != kAll && job == EJob::Information) continue;
            if (fault.scope == kReads && job != EJob::Read && job != EJob::ReadCalibration)
                continue;
            SCOPED_TRACE(std::string(fault.name) + ", job " + std::to_string(int(job)));
            CFakePort port;
            test::CScriptedRadio radio(port);
            fault.apply(port, radio.faults);
            const CMemoryImage before = test::RandomImage(7);
            CMemoryImage image = before;
            CIdentBlock ident{};
            ident.fill(0x5A);

            const CExchangeResult result = RunJob(job, port, image, ident);

            const bool opened = fault.kind != ELinkFault::None;
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
            if (job == EJob::Read) {
                EXPECT_EQ(DescribeCause(result), fault.cause);
                EXPECT_EQ(Shown(CauseWords(result)), fault.words);
            } else if (fault.kind == ELinkFault::BlockNotAcknowledged ||
                       fault.kind == ELinkFault::ShortBlock) {
                EXPECT_EQ(result.fault.address, job == EJob::ReadCalibration    ? 0x3E60
                                                : job == EJob::WriteDtmfDecoder ? 0x3E20
                                                                                : 0x0020);
            }
        }
    }
}

} // namespace
} // namespace tarsel
