// tarsel-cli: the desktop program's jobs from a terminal. Exit status 0 when done, 1 when a file or
// radio operation failed (the program's message, then the cause, on stderr), 2 on bad usage.
#pragma once

#include "core/radiolink/exchange.h"
#include "core/radiolink/settingsfile.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <string>

namespace tarsel::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Options every command sees.
struct CGlobalOptions {
    std::string settingsFile; // --settings: instead of the program folder's Program.ini
};

// A command's work, run after the whole command line parsed; returns the exit status.
using CCommandAction = std::function<int()>;

// Each group of commands adds its subcommands and sets the action of the one chosen.
void AddFileCommands(CLI::App& app, const CGlobalOptions& options, CCommandAction& action);
void AddRadioCommands(CLI::App& app, const CGlobalOptions& options, CCommandAction& action);
void AddServiceCommands(CLI::App& app, const CGlobalOptions& options, CCommandAction& action);
void AddInterchangeCommands(CLI::App& app, const CGlobalOptions& options, CCommandAction& action);

// Prints "tarsel-cli: " + message to stderr and gives kExitFailed.
int Fail(const std::string& message);

// A CLI11 check that a positional names a channel ("A 001", "b vfo", A1, 129).
CLI::Validator ChannelLabelValidator();

// What the radio commands share.
// --settings, else the program's own settings file.
CSettingsFile OpenSettings(const CGlobalOptions& options);
// --port, else the port chosen in the desktop program's port dialog.
std::string ChosenPort(const std::string& port, const CSettingsFile& settings);
// The program's word for how an exchange ended: "无法打开串口", "通信出错", "写入校验失败",
// "已取消"; nullptr when it was done.
const char* OutcomeWord(EExchangeOutcome outcome);
// "无法打开串口" or "通信出错" on the first line, the cause on the second; gives kExitFailed.
int ReportFailure(const CExchangeResult& result);
// A wrong service password is bad usage: nothing is sent.
CLI::Validator ServicePasswordValidator();

} // namespace tarsel::cli
