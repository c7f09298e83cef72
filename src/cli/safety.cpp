#include "cli/safety.h"

#include "cli/cli.h"

#include <atomic>
#include <csignal>
#include <iostream>

namespace tarsel::cli {

namespace {

// A signal handler reaches the token only through a process-wide pointer.
std::atomic<CCancelToken*> gInterrupted{nullptr};

extern "C" void OnInterrupt(int) {
    if (CCancelToken* token = gInterrupted.load()) token->Cancel();
}

constexpr int kSignals[] = {SIGINT, SIGTERM};

} // namespace

CInterruptGuard::CInterruptGuard() {
    gInterrupted.store(&token_);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 2; ++i) ::sigaction(kSignals[i], &action, &previous_[i]);
}

CInterruptGuard::~CInterruptGuard() {
    for (int i = 0; i < 2; ++i) ::sigaction(kSignals[i], &previous_[i], nullptr);
    gInterrupted.store(nullptr);
}

void AddNoBackupOption(CLI::App* command, bool& noBackup) {
    command->add_flag("--no-backup", noBackup,
                      "Keep no automatic backup of the radio image (see the backups command)");
}

void KeepBackup(bool skip, EBackupKind kind, const CMemoryImage& image) {
    if (skip) return;
    const CBackupStore::CKept kept = CBackupStore().Keep(kind, image);
    if (!kept.Kept()) std::cerr << "tarsel-cli: 无法保存备份: " << kept.error << "\n";
}

int ReportCancelled() {
    std::cerr << OutcomeWord(EExchangeOutcome::Cancelled) << "\n";
    return kExitCancelled;
}

void AddBackupsCommand(CLI::App& app, CCommandAction& action) {
    auto* backups = app.add_subcommand(
        "backups", "List the automatic backups of radio images (time, kind, size, path), newest "
                   "first");
    backups->callback([&action] {
        action = [] {
            for (const CBackupEntry& entry : CBackupStore().List())
                std::cout << entry.time << "\t" << BackupKindName(entry.kind) << "\t" << entry.size
                          << "\t" << entry.path.string() << "\n";
            std::cout << std::flush;
            return std::cout ? kExitDone : Fail("cannot write to standard output");
        };
    });
}

} // namespace tarsel::cli
