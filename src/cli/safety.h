// What keeps a user's radio safe from a terminal: the automatic backups, stopping a read on
// Ctrl+C or SIGTERM, and the reading back of a write.
#pragma once

#include "cli/cli.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/canceltoken.h"

#include <signal.h>

namespace tarsel::cli {

// Exit status of a run stopped by SIGINT or SIGTERM, as a shell reports one killed by SIGINT.
inline constexpr int kExitCancelled = 130;

// While one lives, SIGINT and SIGTERM request a cancel instead of ending the program, so that the
// port is closed and no file is half replaced. An exchange not given the token (a write) runs to
// its end regardless.
class CInterruptGuard {
public:
    CInterruptGuard();
    ~CInterruptGuard();
    CInterruptGuard(const CInterruptGuard&) = delete;
    CInterruptGuard& operator=(const CInterruptGuard&) = delete;

    const CCancelToken& Token() const { return token_; }

private:
    CCancelToken token_;
    struct sigaction previous_[2] = {}; // SIGINT, SIGTERM
};

// --no-backup on a radio command.
void AddNoBackupOption(CLI::App* command, bool& noBackup);

// Keeps a backup unless skipped; a backup that cannot be written is a warning on stderr, never a
// failure.
void KeepBackup(bool skip, EBackupKind kind, const CMemoryImage& image);

// "已取消" on stderr; gives kExitCancelled.
int ReportCancelled();

// "backups": time, kind, size and path of each, newest first, one per line, TAB between.
void AddBackupsCommand(CLI::App& app, CCommandAction& action);

} // namespace tarsel::cli
