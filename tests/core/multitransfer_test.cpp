// Many radios written at once, each over a scripted radio in virtual time on a thread of its own.
#include "core/radiolink/multitransfer.h"

#include "fakeport.h"
#include "scriptedradio.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <mutex>

namespace tarsel {
namespace {

using test::CFakePort;
using test::CScriptedRadio;

using test::InRanges;

TEST(MultiTransferTest, EachRadioSucceedsOrFailsOnItsOwn) {
    const struct {
        radiosim::CFaults faults;
        EExchangeOutcome outcome; // PortNotOpened: there is no such device
        const char* cause;
    } cases[] = {
        {{}, EExchangeOutcome::Done, "done"},
        {{}, EExchangeOutcome::PortNotOpened, ""},
        {{.silent = true},
         EExchangeOutcome::CommunicationError,
         "no reply to the wake-up after 4 attempts"},
        {{.badAckBlock = 3},
         EExchangeOutcome::CommunicationError,
         "block 0x0060 not acknowledged: reply 0x42, expected 0x41"},
        {{}, EExchangeOutcome::Done, "done"},
    };
    const std::size_t n = std::size(cases);
    for (const bool verify : {false, true}) {
        // An unverified initialise through the one call, a verified write through the object.
        const ETransfer transfer = verify ? ETransfer::Write : ETransfer::Initialise;
        // Each transfer is handed a port of its own; the radio behind it outlives the port, so
        // what it holds can be checked afterwards.
        std::vector<std::unique_ptr<CFakePort>> ports;
        std::vector<std::unique_ptr<CScriptedRadio>> radios;
        std::vector<std::string> names;
        for (std::size_t i = 0; i < n; ++i) {
            ports.push_back(std::make_unique<CFakePort>());
            radios.push_back(std::make_unique<CScriptedRadio>(*ports.back()));
            radios[i]->faults = cases[i].faults;
            if (cases[i].outcome == EExchangeOutcome::PortNotOpened)
                ports[i]->openResult.failure = EOpenFailure::NoSuchDevice;
            names.push_back("COM" + std::to_string(i + 1));
        }
        std::size_t made = 0;
        const CPortMaker maker = [&]() -> std::unique_ptr<CSerialPort> {
            return std::move(ports.at(made++));
        };
        const CMemoryImage image = test::RandomImage(31);
        std::mutex mutex;
        std::vector<std::vector<int>> steps(n);
        std::vector<int> finishedCalls(n, 0);
        CMultiCallbacks callbacks;
        callbacks.progress = [&](std::size_t i, int position, int) {
            const std::lock_guard lock(mutex);
            steps.at(i).push_back(position);
        };
        callbacks.finished = [&](std::size_t i, const CExchangeResult&) {
            const std::lock_guard lock(mutex);
            ++finishedCalls.at(i);
        };
        CMultiTransfer run(transfer, image, names, {.verify = verify});
        const int total = TransferSteps(transfer, verify);
        EXPECT_EQ(run.Progress(n - 1).total, total);
        EXPECT_FALSE(run.Progress(n - 1).finished);
        std::vector<CExchangeResult> results;
        if (verify) {
            run.Start(maker, callbacks);
            results = run.Wait();
            EXPECT_TRUE(run.Finished());
        } else {
            results = TransferToAll(transfer, image, names, maker, {}, callbacks);
        }

        ASSERT_EQ(results.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(results[i].outcome, cases[i].outcome);
            if (*cases[i].cause) EXPECT_EQ(DescribeCause(results[i]), cases[i].cause);
            if (!results[i].open.portName.empty() || results[i].Done())
                EXPECT_EQ(results[i].open.portName, names[i]) << "a result of another port";
            EXPECT_EQ(finishedCalls[i], 1);
            for (std::size_t k = 0; k < steps[i].size(); ++k)
                ASSERT_EQ(steps[i][k], static_cast<int>(k) + 1);
            if (verify) {
                EXPECT_EQ(run.Progress(i).position, static_cast<int>(steps[i].size()));
                EXPECT_TRUE(run.Progress(i).finished);
            }
            if (!results[i].Done()) continue;
            EXPECT_EQ(steps[i].size(), static_cast<std::size_t>(total));
            // A verified write sends the read requests too.
            EXPECT_EQ(radios[i]->Counters().endReads, verify ? 1 : 0);
            const auto memory = radios[i]->Memory();
            for (std::size_t a = 0; a < CMemoryImage::kSize; ++a)
                ASSERT_EQ(memory[a], InRanges(a, TransferRanges(transfer)) ? image[a] : 0xFF)
                    << std::hex << a;
        }
        EXPECT_EQ(steps[3].size(), 3u); // the blocks before the refused one
    }
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
        {ETransfer::Initialise, true, whole - 1, false}, {ETransfer::Initialise, true, whole, true}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadingBack(c.transfer, c.verify, c.position), c.readingBack)
            << static_cast<int>(c.transfer) << " " << c.verify << " " << c.position;
}

} // namespace
} // namespace tarsel
