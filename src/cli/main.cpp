#include "cli/cli.h"

#include <iostream>

namespace {

// CLI11 reports bad usage with its own exit codes; ours is 2, with one line of reason and the
// usage.
int ReportUsageError(const CLI::App& app, const CLI::ParseError& error) {
    const CLI::App* shown = &app;
    for (const CLI::App* sub : app.get_subcommands())
        if (sub->parsed()) shown = sub;
    const auto extras = app.remaining();
    if (shown == &app && !extras.empty())
        std::cerr << "tarsel-cli: unknown command '" << extras.front() << "'\n";
    else
        std::cerr << "tarsel-cli: " << error.what() << "\n";
    std::cerr << shown->help("", CLI::AppFormatMode::Normal);
    return tarsel::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Tarsel: programming software for the TZ-316 radio, from a terminal.",
                 "tarsel-cli"};
    app.require_subcommand(1);
    app.fallthrough(); // --settings may follow the command too
    app.set_version_flag("--version", std::string(TARSEL_VERSION));

    tarsel::cli::CGlobalOptions options;
    app.add_option("--settings", options.settingsFile,
                   "Use this settings file instead of the program folder's Program.ini");

    tarsel::cli::CCommandAction action;
    tarsel::cli::AddFileCommands(app, options, action);
    tarsel::cli::AddRadioCommands(app, options, action);
    tarsel::cli::AddServiceCommands(app, options, action);
    tarsel::cli::AddInterchangeCommands(app, options, action);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return ReportUsageError(app, e);
    }
    return action ? action() : tarsel::cli::kExitUsage;
}
