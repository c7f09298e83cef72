#include "cli/cli.h"

#include "core/image/bands.h"
#include "core/image/datafile.h"
#include "core/interchange/channelcsv.h"

#include <iostream>
#include <span>

namespace tarsel::cli {

namespace {

int RunExport(const std::string& file, const std::string& out) {
    CMemoryImage image;
    if (const auto error = LoadDataFile(file, image)) return Fail(DescribeFileError(*error));
    const std::string text = WriteChannelCsv(image, CBandLimits{});
    if (out.empty()) {
        std::cout << text << std::flush;
        return std::cout ? kExitDone : Fail("cannot write the channel list to standard output");
    }
    const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (const auto error = SaveFileReplacing(out, bytes)) return Fail(DescribeFileError(*error));
    return kExitDone;
}

int RunImport(const std::string& file, const std::string& list, const CCsvImportOptions& options) {
    CMemoryImage image;
    if (const auto error = LoadDataFile(file, image)) return Fail(DescribeFileError(*error));
    std::string text;
    if (const auto error = LoadTextFile(list, text)) return Fail(DescribeFileError(*error));
    CBandLimits limits;
    LoadBandLimits(image, limits); // the limits the grid would judge typed frequencies by
    const CCsvImport found = ReadChannelCsv(text, limits, options);
    for (const CCsvMessage& message : found.messages) std::cerr << message.Text() << "\n";
    if (!ApplyChannelCsv(found, options, image, limits)) {
        if (found.unreadable) return Fail("not a channel list: nothing imported");
        const int errors = found.RowErrors();
        return Fail((errors == 1 ? std::string("1 row has an error")
                                 : std::to_string(errors) + " rows have errors") +
                    ": nothing imported (--skip-bad imports the others)");
    }
    if (const auto error = SaveDataFile(file, image)) return Fail(DescribeFileError(*error));
    return kExitDone;
}

} // namespace

void AddInterchangeCommands(CLI::App& app, const CGlobalOptions&, CCommandAction& action) {
    // Values outlive parsing: the actions run after it.
    static std::string file, list, out;
    static CCsvImportOptions options;

    auto* exportCsv = app.add_subcommand(
        "export-csv", "Write the memory channels as a list in the shared CSV channel format");
    exportCsv->add_option("FILE", file, "Data file to read")->required();
    exportCsv->add_option("OUT.csv", out, "Where to write the list (default: standard output)");
    exportCsv->callback([&action] { action = [] { return RunExport(file, out); }; });

    auto* importCsv = app.add_subcommand(
        "import-csv", "Put a list in the shared CSV channel format into the memory channels, "
                      "then save; all rows or none unless --skip-bad");
    importCsv->add_option("FILE", file, "Data file to change")->required();
    importCsv->add_option("IN.csv", list, "The channel list")->required();
    importCsv->add_flag("--clear", options.clear, "Empty all 256 memory channels first");
    importCsv->add_flag("--skip-bad", options.skipBad,
                        "Import the good rows when some have errors");
    importCsv
        ->add_option("--first", options.first,
                     "Put the rows into consecutive channels from N (1-256), whatever their "
                     "Location says")
        ->check(CLI::Range(1, kCsvLastChannel));
    importCsv->callback([&action] { action = [] { return RunImport(file, list, options); }; });
}

} // namespace tarsel::cli
