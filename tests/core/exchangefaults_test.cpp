// Every exchange against every way the radio can fail it: the outcome names the fault, the
// caller's image is untouched, no end marker goes out and the port is closed.
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"

#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CFakePort;
using test::CScriptedRadio;
using EKind = CFakePort::CEvent::EKind;

enum class EJob { Read, Write, Initialise, ReadCalibration, WriteDtmfDecoder, Information };
constexpr EJob kJobs[] = {
    EJob::Read,       EJob::Write, EJob::Initialise, EJob::ReadCalibration, EJob::WriteDtmfDecoder,
    EJob::Information};

CExchangeResult RunJob(EJob job, CFakePort& port, CMemoryImage& image) {
    CIdentBlock ident{};
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

bool Reads(EJob job) { return job == EJob::Read || job == EJob::ReadCalibration; }

struct CFault {
    const char* name;
    void (*apply)(CScriptedRadio&);
    ELinkFault kind;
    bool blocks; // needs the exchange to have blocks
    bool readsOnly;
};

const CFault kFaults[] = {
    {"silent", [](CScriptedRadio& r) { r.silent = true; }, ELinkFault::NoWakeUpReply, false, false},
    {"short identification", [](CScriptedRadio& r) { r.identLength = 12; },
     ELinkFault::ShortIdentBlock, false, false},
    {"no identification", [](CScriptedRadio& r) { r.identLength = 0; }, ELinkFault::ShortIdentBlock,
     false, false},
    {"start acknowledge 0x00", [](CScriptedRadio& r) { r.startAckReply = 0x00; },
     ELinkFault::BadStartAcknowledge, true, false},
    {"no start acknowledge", [](CScriptedRadio& r) { r.startAckReply = CScriptedRadio::kNone; },
     ELinkFault::BadStartAcknowledge, true, false},
    {"wrong block acknowledge", [](CScriptedRadio& r) { r.badAckBlock = 1; },
     ELinkFault::BlockNotAcknowledged, true, false},
    {"missing block acknowledge",
     [](CScriptedRadio& r) {
         r.badAckBlock = 1;
         r.badAckReply = CScriptedRadio::kNone;
     },
     ELinkFault::BlockNotAcknowledged, true, false},
    {"short block", [](CScriptedRadio& r) { r.shortBlock = 1; }, ELinkFault::ShortBlock, true,
     true},
};

TEST(ExchangeFaultsTest, EveryFaultIsACommunicationErrorThatChangesNothing) {
    for (const EJob job : kJobs) {
        for (const CFault& fault : kFaults) {
            if (fault.blocks && job == EJob::Information) continue;
            if (fault.readsOnly && !Reads(job)) continue;
            SCOPED_TRACE(std::string(fault.name) + ", job " + std::to_string(int(job)));
            CFakePort port;
            CScriptedRadio radio(port);
            fault.apply(radio);
            const CMemoryImage before = test::RandomImage(7);
            CMemoryImage image = before;

            const CExchangeResult result = RunJob(job, port, image);

            EXPECT_EQ(result.outcome, EExchangeOutcome::CommunicationError);
            EXPECT_EQ(result.fault.kind, fault.kind) << DescribeCause(result);
            EXPECT_EQ(image, before);
            EXPECT_EQ(radio.endReads + radio.endWrites, 0);
            EXPECT_FALSE(port.IsOpen());
            EXPECT_EQ(port.Count(EKind::Close), 1);
            if (fault.kind == ELinkFault::BlockNotAcknowledged ||
                fault.kind == ELinkFault::ShortBlock) {
                const uint16_t second = job == EJob::ReadCalibration    ? 0x3E60
                                        : job == EJob::WriteDtmfDecoder ? 0x3E20
                                                                        : 0x0020;
                EXPECT_EQ(result.fault.address, second);
            }
        }
    }
}

TEST(ExchangeFaultsTest, AShortBlockIsNotAcknowledged) {
    CFakePort port;
    CScriptedRadio radio(port);
    radio.shortBlock = 0;
    CMemoryImage image;
    const auto result = ReadRadio(port, "COM1", image);
    EXPECT_EQ(DescribeCause(result), "block 0x0000 incomplete: 20 of 36 bytes");
    const auto writes = port.Writes();
    EXPECT_EQ(writes.back(), (std::vector<uint8_t>{'R', 0x00, 0x00, 0x20}));
}

TEST(ExchangeFaultsTest, AnUnopenedPortSendsNothing) {
    for (const EJob job : kJobs) {
        CFakePort port;
        CScriptedRadio radio(port);
        port.openResult.failure = EOpenFailure::HeldElsewhere;
        port.openResult.device = "/dev/ttyUSB0";
        const CMemoryImage before = test::RandomImage(8);
        CMemoryImage image = before;
        const CExchangeResult result = RunJob(job, port, image);
        EXPECT_EQ(result.outcome, EExchangeOutcome::PortNotOpened);
        EXPECT_EQ(DescribeCause(result), "/dev/ttyUSB0: held by another program");
        EXPECT_TRUE(port.Writes().empty());
        EXPECT_EQ(image, before);
    }
}

TEST(ExchangeFaultsTest, AnIdentificationCutShortLeavesTheOldOneInPlace) {
    CFakePort port;
    CScriptedRadio radio(port);
    radio.identLength = 31;
    CIdentBlock ident{};
    ident.fill(0x5A);
    const auto result = ReadRadioInformation(port, "COM1", ident);
    EXPECT_EQ(DescribeCause(result), "identification block incomplete: 31 of 32 bytes");
    EXPECT_EQ(ident[0], 0x5A);
}

} // namespace
} // namespace tarsel
