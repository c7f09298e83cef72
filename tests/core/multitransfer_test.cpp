// Many radios written at once, each over a scripted radio in virtual time on a thread of its own.
#include "core/radiolink/multitransfer.h"
#include "core/radiolink/portchoice.h"

#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <mutex>

namespace tarsel {
namespace {

using test::CFakePort;
using test::CScriptedRadio;

// Each transfer is handed a port of its own; the radio behind it outlives the port, so what it
// holds can be checked afterwards.
struct CBench {
    std::vector<std::unique_ptr<CFakePort>> ports;
    std::vector<std::unique_ptr<CScriptedRadio>> radios;
    std::size_t made = 0;

    explicit CBench(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            ports.push_back(std::make_unique<CFakePort>());
            radios.push_back(std::make_unique<CScriptedRadio>(*ports.back()));
        }
    }
    CPortMaker Maker() {
        return [this]() -> std::unique_ptr<CSerialPort> { return std::move(ports.at(made++)); };
    }
};

using test::InRanges;

TEST(MultiTransferTest, EachRadioSucceedsOrFailsOnItsOwn) {
    struct Case {
        const char* name;
        std::function<void(CFakePort&, CScriptedRadio&)> fault;
        EExchangeOutcome outcome;
        const char* cause;
    } cases[] = {
        {"good", {}, EExchangeOutcome::Done, "done"},
        {"no port",
         [](CFakePort& p, CScriptedRadio&) { p.openResult.failure = EOpenFailure::NoSuchDevice; },
         EExchangeOutcome::PortNotOpened, nullptr},
        {"silent", [](CFakePort&, CScriptedRadio& r) { r.silent = true; },
         EExchangeOutcome::CommunicationError, "no reply to the wake-up after 4 attempts"},
        {"bad ack", [](CFakePort&, CScriptedRadio& r) { r.badAckBlock = 3; },
         EExchangeOutcome::CommunicationError,
         "block 0x0060 not acknowledged: reply 0x42, expected 0x41"},
        {"good too", {}, EExchangeOutcome::Done, "done"},
    };
    const std::size_t n = std::size(cases);
    for (ETransfer transfer : {ETransfer::Write, ETransfer::Initialise}) {
        CBench bench(n);
        std::vector<std::string> names;
        for (std::size_t i = 0; i < n; ++i) {
            if (cases[i].fault) cases[i].fault(*bench.ports[i], *bench.radios[i]);
            names.push_back("COM" + std::to_string(i + 1));
        }
        const CMemoryImage image = test::RandomImage(31);
        std::mutex mutex;
        std::vector<std::vector<int>> steps(n);
        std::vector<int> finishedCalls(n, 0);
        const auto results = TransferToAll(transfer, image, names, bench.Maker(), {},
                                           {.progress =
                                                [&](std::size_t i, int position, int) {
                                                    const std::lock_guard lock(mutex);
                                                    steps.at(i).push_back(position);
                                                },
                                            .finished =
                                                [&](std::size_t i, const CExchangeResult&) {
                                                    const std::lock_guard lock(mutex);
                                                    ++finishedCalls.at(i);
                                                }});

        ASSERT_EQ(results.size(), n);
        const int total = TransferSteps(transfer, false);
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(cases[i].name);
            EXPECT_EQ(results[i].outcome, cases[i].outcome);
            if (cases[i].cause) EXPECT_EQ(DescribeCause(results[i]), cases[i].cause);
            if (!results[i].open.portName.empty() || results[i].Done())
                EXPECT_EQ(results[i].open.portName, names[i]) << "a result of another port";
            EXPECT_EQ(finishedCalls[i], 1);
            for (std::size_t k = 0; k < steps[i].size(); ++k)
                ASSERT_EQ(steps[i][k], static_cast<int>(k) + 1);
            if (!results[i].Done()) continue;
            EXPECT_EQ(steps[i].size(), static_cast<std::size_t>(total));
            const auto& memory = bench.radios[i]->memory;
            for (std::size_t a = 0; a < CMemoryImage::kSize; ++a)
                ASSERT_EQ(memory[a], InRanges(a, TransferRanges(transfer)) ? image[a] : 0xFF)
                    << std::hex << a;
        }
        EXPECT_EQ(steps[3].size(), 3u); // the blocks before the refused one
    }
}

TEST(MultiTransferTest, ProgressAndResultsStayWithTheirPort) {
    CBench bench(3);
    bench.radios[1]->badAckBlock = 0;
    CMultiTransfer run(ETransfer::Write, test::RandomImage(32), {"COM1", "COM2", "COM3"},
                       {.verify = true});
    const int total = TransferSteps(ETransfer::Write, true);
    for (std::size_t i = 0; i < run.Count(); ++i) {
        EXPECT_EQ(run.Progress(i).total, total);
        EXPECT_FALSE(run.Progress(i).finished);
    }
    run.Start(bench.Maker());
    const auto results = run.Wait();
    EXPECT_TRUE(run.Finished());
    EXPECT_EQ(run.PortName(1), "COM2");
    const int expected[] = {total, 0, total};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(run.Progress(i).position, expected[i]) << i;
        EXPECT_TRUE(run.Progress(i).finished);
    }
    EXPECT_TRUE(results[0].Done());
    EXPECT_EQ(results[1].outcome, EExchangeOutcome::CommunicationError);
    EXPECT_TRUE(results[2].Done()) << DescribeCause(results[2]);
    // Both good radios were read back: a verified write sends the read requests too.
    for (std::size_t i : {0u, 2u}) EXPECT_EQ(bench.radios[i]->endReads, 1) << i;
}

TEST(MultiTransferTest, ReadingBackStartsAfterTheLastBlockWritten) {
    const int written = TransferSteps(ETransfer::Write, false);
    const int whole = TransferSteps(ETransfer::Initialise, false);
    struct Case {
        ETransfer transfer;
        bool verify;
        int position;
        bool readingBack;
    } cases[] = {
        {ETransfer::Write, true, written - 1, false},    {ETransfer::Write, true, written, true},
        {ETransfer::Write, false, written, false},       {ETransfer::Read, true, written, false},
        {ETransfer::Initialise, true, whole - 1, false},
        {ETransfer::Initialise, true, whole, true}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadingBack(c.transfer, c.verify, c.position), c.readingBack)
            << static_cast<int>(c.transfer) << " " << c.verify << " " << c.position;
}

TEST(MultiTransferTest, AllPortsAreTheOnesThatOpenedInOrder) {
    CPortDialogFields fields;
    for (int number = 1; number <= kPortChoices; ++number)
        fields.ports[static_cast<std::size_t>(number - 1)].name = "COM" + std::to_string(number);
    EXPECT_TRUE(AvailablePortNames(fields).empty());
    for (int number : {12, 2, 16})
        fields.ports[static_cast<std::size_t>(number - 1)].available = true;
    EXPECT_EQ(AvailablePortNames(fields), (std::vector<std::string>{"COM2", "COM12", "COM16"}));
}

} // namespace
} // namespace tarsel
