// The commands that talk to the radio: read, write, init, info.
#include "cli/cli.h"
#include "cli/multiwrite.h"
#include "cli/safety.h"

#include "core/image/channeltable.h"
#include "core/image/datafile.h"
#include "core/radiolink/portname.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/programfolder.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/settingsfile.h"
#include "core/radiolink/transfer.h"
#include "core/service/password.h"
#include "core/service/radioinfo.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include <unistd.h>

namespace tarsel::cli {

namespace {


struct CRadioArguments {
    std::string port;
    std::string file;
    std::string password;
    bool verify = false;
    bool noBackup = false;
    std::vector<std::string> ports; // write and init: --port, as often as given
    std::string portsAll;           // write and init: --ports all
};

// A bar on stderr while blocks go by, only when a person is watching it.
class CProgressBar {
public:
    explicit CProgressBar(const char* title) : title_(title), shown_(::isatty(STDERR_FILENO)) {}

    CProgress Callback() {
        if (!shown_) return {};
        return [this](int position, int total) { Draw(position, total); };
    }

    // A finished bar stays on its line; a failed one is wiped, so the message comes first.
    void Finish(bool done) {
        if (!shown_ || percent_ < 0) return;
        std::cerr << (done ? "\n" : "\r\033[K") << std::flush;
    }

private:
    void Draw(int position, int total) {
        const int percent = total > 0 ? position * 100 / total : 100;
        if (percent == percent_) return;
        percent_ = percent;
        constexpr int kWidth = 40;
        const int filled = std::min(kWidth, percent * kWidth / 100);
        std::cerr << "\r" << title_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(kWidth - filled), '-') << "] " << percent
                  << "%" << std::flush;
    }

    const char* title_;
    const bool shown_;
    int percent_ = -1;
};

int SendImage(const CGlobalOptions& options, const CRadioArguments& arguments, ETransfer transfer,
              const char* title) {
    auto image = std::make_unique<CMemoryImage>();
    if (const auto error = LoadDataFile(arguments.file, *image))
        return Fail(DescribeFileError(*error));
    // What "写频" sends: the grid filled from the image and parsed back, then finalised.
    CBandLimits limits;
    NormaliseThroughTable(*image, limits);

    const CSettingsFile settings = OpenSettings(options);
    const CManyRadios radios{.ports = arguments.ports,
                             .all = !arguments.portsAll.empty(),
                             .verify = arguments.verify,
                             .noBackup = arguments.noBackup};
    if (WantsManyRadios(radios)) return SendToManyRadios(settings, transfer, *image, radios);
    const std::string portName = arguments.ports.empty() ? "" : arguments.ports.front();
    CPosixSerialPort port(settings);
    CProgressBar bar(title);
    const CInterruptGuard interrupt;
    auto worker = std::make_unique<CTransferWorker>(
        transfer, *image,
        CTransferOptions{.verify = arguments.verify, .cancel = &interrupt.Token()});
    const CExchangeResult result =
        worker->Run(port, ChosenPort(portName, settings), bar.Callback());
    bar.Finish(result.Done());
    // Whatever reached the radio, also a write that failed half way.
    if (ReachedTheBlocks(result))
        KeepBackup(arguments.noBackup,
                   transfer == ETransfer::Write ? EBackupKind::Write : EBackupKind::Initialise,
                   worker->Image());
    return result.Done() ? kExitDone : ReportFailure(result);
}

int RunRead(const CGlobalOptions& options, const CRadioArguments& arguments) {
    const std::filesystem::path file = arguments.file;
    auto image = std::make_unique<CMemoryImage>();
    std::error_code error;
    if (std::filesystem::exists(file, error) || error) {
        // The current image: the stretch a read does not carry stays as it was.
        if (const auto failure = LoadDataFile(file, *image))
            return Fail(DescribeFileError(*failure));
    } else {
        *image = NewDocumentImage(ProgramFiles().FolderOf(kDefaultDataFileName));
    }
    // A read takes seconds; find out before it that there is nowhere to keep it.
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    if (!std::filesystem::is_directory(folder, error))
        return Fail("cannot write '" + file.string() + "': no such folder");

    const CSettingsFile settings = OpenSettings(options);
    CPosixSerialPort port(settings);
    CProgressBar bar("读数据");
    const CInterruptGuard interrupt;
    const CExchangeResult result = ReadRadio(port, ChosenPort(arguments.port, settings), *image,
                                             bar.Callback(), {.cancel = &interrupt.Token()});
    bar.Finish(result.Done());
    if (!result.Done()) return ReportFailure(result);
    KeepBackup(arguments.noBackup, EBackupKind::Read, *image);
    if (const auto failure = SaveDataFile(file, *image)) return Fail(DescribeFileError(*failure));
    return kExitDone;
}

int RunInfo(const CGlobalOptions& options, const CRadioArguments& arguments) {
    const CSettingsFile settings = OpenSettings(options);
    CPosixSerialPort port(settings);
    CIdentBlock ident{};
    const CInterruptGuard interrupt;
    const CExchangeResult result =
        ReadRadioInformation(port, ChosenPort(arguments.port, settings), ident, &interrupt.Token());
    if (!result.Done()) return ReportFailure(result);

    const std::string firmware = FirmwareVersionText(ident);
    const auto mhz = BandLimitsMhz(ident);
    std::cout << "MCU版本\t" << (NamesAVersion(firmware) ? firmware : "") << "\n"
              << "PC版本\t" << PcVersionText(firmware, settings) << "\n"
              << "A段\t" << mhz[0] << "\t" << mhz[1] << "\n"
              << "B段\t" << mhz[2] << "\t" << mhz[3] << "\n"
              << std::flush;
    return std::cout ? kExitDone : Fail("cannot write to standard output");
}

void AddPortOption(CLI::App* command, CRadioArguments& arguments) {
    command->add_option("--port", arguments.port,
                        "Device path (/dev/ttyUSB0) or port name (COM3); default: the settings "
                        "file's port");
    AddNoBackupOption(command, arguments.noBackup);
}

// write and init: one radio as the other commands, or several at once.
void AddSendPortOptions(CLI::App* command, CRadioArguments& arguments) {
    auto* port = command->add_option(
        "--port", arguments.ports,
        "Device path (/dev/ttyUSB0) or port name (COM3); default: the settings file's port. "
        "Given more than once, every radio is written at the same time and each port's result "
        "is printed on a line of its own");
    port->allow_extra_args(false);
    command
        ->add_option("--ports", arguments.portsAll,
                     "all: write every port the port dialog offers as available (COM1..COM16 "
                     "that open), all at the same time")
        ->check(CLI::IsMember({"all"}))
        ->excludes(port);
    AddNoBackupOption(command, arguments.noBackup);
}

void AddVerifyOption(CLI::App* command, CRadioArguments& arguments) {
    command->add_flag("--verify", arguments.verify,
                      "Read the sent ranges back and compare them (one read's time more)");
}

} // namespace

CSettingsFile OpenSettings(const CGlobalOptions& options) {
    if (options.settingsFile.empty()) return CSettingsFile(DefaultSettingsPath());
    return CSettingsFile(options.settingsFile);
}

std::string ChosenPort(const std::string& port, const CSettingsFile& settings) {
    if (!port.empty()) return port;
    return PortNameFromNumber(settings.ReadInteger("Setup", "COM", 0));
}

const char* OutcomeWord(EExchangeOutcome outcome) {
    switch (outcome) {
    case EExchangeOutcome::PortNotOpened:
        return "无法打开串口";
    case EExchangeOutcome::CommunicationError:
        return "通信出错";
    case EExchangeOutcome::Cancelled:
        return "已取消";
    case EExchangeOutcome::VerificationFailed:
        return "写入校验失败";
    case EExchangeOutcome::Done:
        break;
    }
    return nullptr;
}

int ReportFailure(const CExchangeResult& result) {
    if (result.outcome == EExchangeOutcome::Cancelled) return ReportCancelled();
    std::cerr << OutcomeWord(result.outcome) << "\n" << DescribeCause(result) << "\n";
    return kExitFailed;
}

CLI::Validator ServicePasswordValidator() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return IsServicePassword(text) ? std::string() : "wrong service password";
        },
        "PASSWORD", "service password");
}

void AddRadioCommands(CLI::App& app, const CGlobalOptions& options, CCommandAction& action) {
    // Values outlive parsing: the actions run after it.
    static CRadioArguments arguments;

    auto* read = app.add_subcommand(
        "read", "Read the radio into a data file, replaced only after a complete read (an "
                "existing file keeps the service areas a read does not carry)");
    AddPortOption(read, arguments);
    read->add_option("FILE", arguments.file, "Data file to read into (made when missing)")
        ->required();
    read->callback([&] { action = [&] { return RunRead(options, arguments); }; });

    auto* write = app.add_subcommand(
        "write", "Write a data file to the radio as \"写频\" does (the file is not changed); with "
                 "--port given more than once or --ports all, to every radio at the same time");
    AddSendPortOptions(write, arguments);
    AddVerifyOption(write, arguments);
    write->add_option("FILE", arguments.file, "Data file to send")->required();
    write->callback([&] {
        action = [&] { return SendImage(options, arguments, ETransfer::Write, "写数据"); };
    });

    auto* init = app.add_subcommand(
        "init", "Initialise the radio with the whole image of a data file (service function); "
                "several radios at once as write does");
    AddSendPortOptions(init, arguments);
    AddVerifyOption(init, arguments);
    init->add_option("FILE", arguments.file, "Data file to send")->required();
    init->add_option("--service-password", arguments.password,
                     "The service password; a wrong one is bad usage (exit 2) and nothing is "
                     "sent")
        ->required()
        ->check(ServicePasswordValidator());
    init->callback([&] {
        action = [&] { return SendImage(options, arguments, ETransfer::Initialise, "初始化数据"); };
    });

    auto* info = app.add_subcommand(
        "info", "Read the radio's identity: MCU版本, PC版本, A段 and B段 (MHz), one per line");
    AddPortOption(info, arguments);
    info->callback([&] { action = [&] { return RunInfo(options, arguments); }; });

    AddBackupsCommand(app, action);
}

} // namespace tarsel::cli
