#include "cli/multiwrite.h"

#include "cli/cli.h"
#include "cli/safety.h"

#include "core/radiolink/multitransfer.h"
#include "core/radiolink/portchoice.h"
#include "core/radiolink/portname.h"
#include "core/radiolink/posixserialport.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace tarsel::cli {

namespace {

constexpr const char* kDoneText = "完成";

// The first word of a port's result line, and of its progress line once it ended.
const char* ResultWord(EExchangeOutcome outcome) {
    const char* word = OutcomeWord(outcome);
    return word ? word : kDoneText;
}

// "COM3<TAB>完成", "COM4<TAB>通信出错<TAB>cause", "COM5<TAB>写入校验失败<TAB>0x0025".
std::string ResultLine(const std::string& port, const CExchangeResult& result) {
    std::string line = port + "\t" + ResultWord(result.outcome);
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
    case EExchangeOutcome::CommunicationError:
        return line + "\t" + DescribeCause(result);
    case EExchangeOutcome::VerificationFailed:
        if (!result.verification.first.empty()) {
            char address[16];
            std::snprintf(address, sizeof address, "0x%04X",
                          result.verification.first.front().address);
            line += "\t" + std::string(address);
        }
        return line;
    case EExchangeOutcome::Cancelled:
    case EExchangeOutcome::Done:
        break;
    }
    return line;
}

// One line per port on stderr, redrawn in place from the transfers' progress; the workers are
// never made to wait for the terminal, the drawing reads what they left.
class CProgressBoard {
public:
    CProgressBoard(const CMultiTransfer& run, const CSettingsFile& settings)
        : run_(run), outcomes_(run.Count()) {
        for (std::size_t i = 0; i < run.Count(); ++i) {
            const std::string device = ResolvePortDevice(run.PortName(i), &settings).value_or("");
            devices_.push_back(device == run.PortName(i) ? std::string() : device);
            outcomes_[i] = kRunning;
        }
    }

    // On a worker's thread, the moment its transfer ends.
    void OnFinished(std::size_t index, const CExchangeResult& result) {
        outcomes_[index].store(static_cast<int>(result.outcome), std::memory_order_release);
    }

    void Draw() {
        std::ostringstream out;
        for (std::size_t i = 0; i < run_.Count(); ++i) {
            const CPortProgress progress = run_.Progress(i);
            const int percent = progress.total > 0 ? progress.position * 100 / progress.total : 0;
            out << "\r\033[K" << run_.PortName(i) << "  "
                << (devices_[i].empty() ? "" : devices_[i] + "  ") << percent << "%  "
                << State(i, progress) << "\n";
        }
        if (out.str() == shown_) return;
        if (!shown_.empty()) std::cerr << "\033[" << run_.Count() << "A";
        shown_ = out.str();
        std::cerr << shown_ << std::flush;
    }

private:
    static constexpr int kRunning = -1;

    const char* State(std::size_t i, const CPortProgress& progress) const {
        const int outcome = outcomes_[i].load(std::memory_order_acquire);
        if (outcome != kRunning) return ResultWord(static_cast<EExchangeOutcome>(outcome));
        if (progress.position == 0) return "连接";
        return ReadingBack(run_.Transfer(), run_.Verifies(), progress.position) ? "校验" : "写入";
    }

    const CMultiTransfer& run_;
    std::vector<std::atomic<int>> outcomes_;
    std::vector<std::string> devices_;
    std::string shown_;
};

} // namespace

int SendToManyRadios(const CSettingsFile& settings, ETransfer transfer, const CMemoryImage& image,
                     const CManyRadios& radios) {
    std::vector<std::string> ports = radios.ports;
    // Two transfers on one port: one of them would lose the port to the other.
    for (std::size_t i = 0; i < ports.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (ports[i] == ports[j]) {
                std::cerr << "tarsel-cli: --port " << ports[i] << " given twice\n";
                return kExitUsage;
            }
    if (radios.all) {
        CPosixSerialPort probe(settings);
        const CPortDialogFields fields = LoadPortDialog(probe, &settings, "");
        ports = AvailablePortNames(fields);
        if (ports.empty()) {
            std::cerr << "无法打开串口\n" << DescribeNoCable(fields) << "\n";
            return kExitFailed;
        }
    }

    const CInterruptGuard interrupt;
    CMultiTransfer run(transfer, image, ports,
                       {.verify = radios.verify, .cancel = &interrupt.Token()});
    const auto makePort = [&settings] { return std::make_unique<CPosixSerialPort>(settings); };
    std::vector<CExchangeResult> results;
    if (::isatty(STDERR_FILENO)) {
        CProgressBoard board(run, settings);
        run.Start(makePort, {.finished = [&board](std::size_t index, const CExchangeResult& r) {
                      board.OnFinished(index, r);
                  }});
        while (!run.Finished()) {
            board.Draw();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        results = run.Wait();
        board.Draw();
    } else {
        run.Start(makePort);
        results = run.Wait();
    }

    // One backup of the image sent is enough: every radio was sent the same one.
    bool reached = false, allDone = true, cancelled = false;
    for (std::size_t i = 0; i < results.size(); ++i) {
        std::cout << ResultLine(ports[i], results[i]) << "\n";
        reached = reached || ReachedTheBlocks(results[i]);
        allDone = allDone && results[i].Done();
        cancelled = cancelled || results[i].outcome == EExchangeOutcome::Cancelled;
    }
    std::cout << std::flush;
    if (reached)
        KeepBackup(radios.noBackup,
                   transfer == ETransfer::Write ? EBackupKind::Write : EBackupKind::Initialise,
                   image);
    if (!std::cout) return Fail("cannot write to standard output");
    if (allDone) return kExitDone;
    return cancelled && interrupt.Token().Requested() ? kExitCancelled : kExitFailed;
}

} // namespace tarsel::cli
