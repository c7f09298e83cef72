// The service windows' exchanges from a terminal: calibration and dtmf-decoder, read or write.
#include "cli/cli.h"
#include "cli/safety.h"

#include "core/image/datafile.h"
#include "core/radiolink/portname.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/programfolder.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/settingsfile.h"
#include "core/service/calibrationfields.h"
#include "core/service/decoderfields.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace tarsel::cli {

namespace {

struct CServiceArguments {
    std::string direction; // "read" or "write"
    std::string port;
    std::string file;
    std::string password;
    bool noBackup = false;
};

// What the window does before sending: the band limits as the document shows them stored, then
// its own store with no edit.
void PrepareCalibration(CMemoryImage& image) {
    CBandLimits limits;
    LoadBandLimits(image, limits);
    StoreBandLimits(limits, image);
    CCalibrationFields fields = LoadFields(image, limits);
    StoreFields(fields, limits, image);
}

void PrepareDecoder(CMemoryImage& image) {
    CDecoderFields fields = LoadDecoderFields(image);
    StoreDecoderFields(fields, image);
}

int RunRegion(const CGlobalOptions& options, const CServiceArguments& arguments, map::CRange region,
              void (*prepare)(CMemoryImage&)) {
    const std::filesystem::path file = arguments.file;
    const bool reading = arguments.direction == "read";
    auto image = std::make_unique<CMemoryImage>();
    std::error_code error;
    if (!reading || std::filesystem::exists(file, error) || error) {
        if (const auto failure = LoadDataFile(file, *image))
            return Fail(DescribeFileError(*failure));
    } else {
        *image = NewDocumentImage(ProgramFiles().FolderOf(kDefaultDataFileName));
    }
    if (reading) {
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        if (!std::filesystem::is_directory(folder, error))
            return Fail("cannot write '" + file.string() + "': no such folder");
    } else {
        prepare(*image); // on a copy: FILE stays as it was
    }

    const CSettingsFile settings = OpenSettings(options);
    CPosixSerialPort port(settings);
    const std::string portName = ChosenPort(arguments.port, settings);
    const CInterruptGuard interrupt;
    const CExchangeResult result =
        reading ? ReadRegion(port, portName, region, *image, &interrupt.Token())
                : WriteRegion(port, portName, region, *image);
    if (!result.Done()) return ReportFailure(result);
    if (reading) {
        KeepBackup(arguments.noBackup, EBackupKind::Read, *image);
        if (const auto failure = SaveDataFile(file, *image))
            return Fail(DescribeFileError(*failure));
    }
    return kExitDone;
}

// COMMAND read|write: two subcommands of their own, so that "read" here is not the clone read.
void AddServiceCommand(CLI::App& app, const CGlobalOptions& options, CCommandAction& action,
                       const char* name, const char* description, map::CRange region,
                       void (*prepare)(CMemoryImage&), CServiceArguments& arguments) {
    auto* command = app.add_subcommand(name, description);
    command->require_subcommand(1);
    const struct {
        const char* direction;
        const char* description;
    } directions[] = {
        {"read", "Read the region into FILE (made when missing), replaced only after a complete "
                 "read"},
        {"write", "Store the window's fields into a copy of FILE's image and send the region; "
                  "FILE is not changed"},
    };
    for (const auto& d : directions) {
        auto* sub = command->add_subcommand(d.direction, d.description);
        sub->add_option("FILE", arguments.file, "Data file")->required();
        sub->add_option("--port", arguments.port,
                        "Device path (/dev/ttyUSB0) or port name (COM3); default: the settings "
                        "file's port");
        sub->add_option("--service-password", arguments.password,
                        "The service password; a wrong one is bad usage (exit 2) and nothing is "
                        "sent")
            ->required()
            ->check(ServicePasswordValidator());
        AddNoBackupOption(sub, arguments.noBackup);
        const std::string direction = d.direction;
        sub->callback([&options, &action, &arguments, direction, region, prepare] {
            arguments.direction = direction;
            action = [&options, &arguments, region, prepare] {
                return RunRegion(options, arguments, region, prepare);
            };
        });
    }
}

} // namespace

void AddServiceCommands(CLI::App& app, const CGlobalOptions& options, CCommandAction& action) {
    // Values outlive parsing: the actions run after it.
    static CServiceArguments arguments;
    AddServiceCommand(app, options, action, "calibration",
                      "The parameter adjustment window's 读数据 / 写数据 with no edit "
                      "(calibration region)",
                      map::kCalibrationRange, PrepareCalibration, arguments);
    AddServiceCommand(app, options, action, "dtmf-decoder",
                      "The DTMF decoder window's 读数据 / 写数据 with no edit (decoder region)",
                      map::kDtmfDecoderRange, PrepareDecoder, arguments);
}

} // namespace tarsel::cli
