#include "cli/cli.h"

#include "core/image/channeltable.h"
#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/image/labels.h"
#include "core/radiolink/programfolder.h"

#include <iostream>
#include <map>
#include <optional>

namespace tarsel::cli {

namespace {

std::optional<CMemoryImage> OpenImage(const std::string& file) {
    CMemoryImage image;
    if (const auto error = LoadDataFile(file, image)) {
        Fail(DescribeFileError(*error));
        return std::nullopt;
    }
    return image;
}

int SaveImage(const std::string& file, const CMemoryImage& image) {
    if (const auto error = SaveDataFile(file, image)) return Fail(DescribeFileError(*error));
    return kExitDone;
}

int RunNew(const std::string& file) {
    return SaveImage(file, NewDocumentImage(ProgramFiles().FolderOf(kDefaultDataFileName)));
}

int RunChannels(const std::string& file, bool names) {
    const auto image = OpenImage(file);
    if (!image) return kExitFailed;
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(*image, limits, table);
    // Scripts written for the eight cells keep working: the name is a tenth cell on request.
    const int columns = names ? kChannelColumns : kParsedColumns;
    std::string out;
    for (int column = 1; column <= columns; ++column)
        out.append("\t").append(ChannelColumnTitles()[static_cast<std::size_t>(column - 1)]);
    out += '\n';
    for (int channel = 1; channel <= map::kChannelCount; ++channel) {
        out += GridLabel(channel);
        for (int column = 1; column <= columns; ++column)
            out.append("\t").append(table.Row(channel)[column]);
        out += '\n';
    }
    std::cout << out << std::flush;
    return std::cout ? kExitDone : Fail("cannot write the channel list to standard output");
}

int RunNormalise(const std::string& file, const std::string& out) {
    auto image = OpenImage(file);
    if (!image) return kExitFailed;
    CBandLimits limits;
    NormaliseThroughTable(*image, limits);
    return SaveImage(out.empty() ? file : out, *image);
}

// The cells of set-channel, in the order they are committed.
struct CCellEdit {
    const char* option;
    int column;
    const char* help;
};
constexpr CCellEdit kCellEdits[] = {
    {"--rx", kColumnRx, "Receive frequency in MHz, as typed into the grid"},
    {"--tx", kColumnTx, "Transmit frequency in MHz"},
    {"--rx-tone", kColumnRxTone, "Receive tone (decode): 无, 88.5, D023N, D754I, ..."},
    {"--tx-tone", kColumnTxTone, "Transmit tone (encode)"},
    {"--power", kColumnPower, "Power"},
    {"--scan", kColumnScan, "Scan add"},
    {"--bandwidth", kColumnBandwidth, "Bandwidth"},
    {"--busy-lock", kColumnBusyLock, "Busy channel lockout"},
    {"--name", kColumnName, "Channel name: printable ASCII, the first 7 characters kept"},
};

int RunSetChannel(const std::string& file, const std::string& label,
                  const std::map<int, std::string>& edits) {
    auto image = OpenImage(file);
    if (!image) return kExitFailed;
    const int channel = ChannelFromLabel(label);
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(*image, limits, table);
    CChannelRow& row = table.Row(channel);
    for (const auto& [column, text] : edits)
        CommitCellEdit(row, channel, column, text, limits, *image);
    ParseChannelTable(table, limits, kProgramVariant, *image);
    return SaveImage(file, *image);
}

} // namespace

int Fail(const std::string& message) {
    std::cerr << "tarsel-cli: " << message << "\n";
    return kExitFailed;
}

CLI::Validator ChannelLabelValidator() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return IsChannel(ChannelFromLabel(text)) ? std::string()
                                                     : "unknown channel label '" + text + "'";
        },
        "CHANNEL", "channel label");
}

void AddFileCommands(CLI::App& app, const CGlobalOptions&, CCommandAction& action) {
    // Values outlive parsing: the actions run after it.
    static std::string file, out, label;
    static bool names = false;
    static std::map<int, std::string> edits;

    auto* create = app.add_subcommand(
        "new", "Write the image a new document starts from (Default.dat or the built-in one)");
    create->add_option("FILE", file, "Data file to write")->required();
    create->callback([&action] { action = [] { return RunNew(file); }; });

    auto* channels = app.add_subcommand(
        "channels", "Print the channel grid of a data file: 259 lines, cells separated by TAB");
    channels->add_option("FILE", file, "Data file to read")->required();
    channels->add_flag("--names", names, "Add the channel name as a tenth cell");
    channels->callback([&action] { action = [] { return RunChannels(file, names); }; });

    auto* normalise = app.add_subcommand(
        "normalise", "Open a data file and save it as the desktop program does with no edit");
    normalise->add_option("FILE", file, "Data file to read")->required();
    normalise->add_option("OUT", out, "Where to save (default: FILE itself)");
    normalise->callback([&action] { action = [] { return RunNormalise(file, out); }; });

    auto* setChannel = app.add_subcommand(
        "set-channel", "Edit one channel's cells as the grid's in-place editors do, then save");
    setChannel->add_option("FILE", file, "Data file to edit")->required();
    setChannel->add_option("CHANNEL", label, "Channel: \"A 001\", \"B VFO\", A1, B5, 129, ...")
        ->required()
        ->check(ChannelLabelValidator());
    for (const CCellEdit& edit : kCellEdits) {
        const int column = edit.column;
        auto* option = setChannel->add_option_function<std::string>(
            edit.option, [column](const std::string& text) { edits[column] = text; }, edit.help);
        const auto entries = ChoiceEntries(column);
        if (!entries.empty())
            option->check(CLI::IsMember(std::vector<std::string>(entries.begin(), entries.end())));
    }
    setChannel->callback([&action] { action = [] { return RunSetChannel(file, label, edits); }; });
}

} // namespace tarsel::cli
