#include "core/radiolink/programfolder.h"
#include "core/radiolink/settingsfile.h"
#include "ui/shell/application.h"
#include "ui/shell/icons.h"
#include "ui/shell/language.h"
#include "ui/shell/mainframe.h"
#include "ui/shell/qtapplication.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

class CFirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

// The command line; --help and --version print and leave, before any window system is needed.
struct CCommandLine {
    QStringList files;
    std::filesystem::path settings;
};

CCommandLine ParseCommandLine(const QCoreApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "TZ-316 对讲机写频软件"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QCoreApplication::translate("main", "使用此设置文件代替程序目录中的 Program.ini"),
        QStringLiteral("FILE"));
    parser.addOption(settingsOption);
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QCoreApplication::translate("main", "界面语言：zh（中文）或 en（英文）"),
        QStringLiteral("zh|en"));
    parser.addOption(languageOption);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "要打开的数据文件 (*.dat)"),
                                 QStringLiteral("[files...]"));
    parser.process(application);
    if (parser.isSet(languageOption) && !tarsel::ui::ParseLanguage(parser.value(languageOption))) {
        std::fputs(qPrintable(QCoreApplication::translate("main", "--language 只接受 zh 或 en") +
                              QLatin1Char('\n')),
                   stderr);
        std::exit(2);
    }
    return {parser.positionalArguments(),
            parser.isSet(settingsOption)
                ? std::filesystem::path(parser.value(settingsOption).toStdString())
                : tarsel::DefaultSettingsPath()};
}

// Needed before the first window and before --help prints, so read straight from the arguments
// (the parser checks the value later).
std::optional<tarsel::ui::ELanguage> LanguageArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--language" && i + 1 < argc)
            return tarsel::ui::ParseLanguage(QString::fromLocal8Bit(argv[i + 1]));
        if (arg.starts_with("--language="))
            return tarsel::ui::ParseLanguage(QString::fromLocal8Bit(arg.substr(11)));
    }
    return std::nullopt;
}

tarsel::ui::ELanguage StartLanguage(int argc, char** argv) {
    return tarsel::ui::ChooseLanguage(LanguageArgument(argc, argv),
                                      tarsel::ui::RememberedLanguage(), QLocale().name());
}

void SetNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Tarsel"));
    QCoreApplication::setApplicationName(QStringLiteral("tarsel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARSEL_VERSION));
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" ||
            arg == "--version") {
            QCoreApplication console(argc, argv);
            SetNames();
            tarsel::ui::CTranslations translations;
            translations.Install(StartLanguage(argc, argv));
            ParseCommandLine(console); // prints and exits
            return 0;
        }
    }
    tarsel::ui::CQtApplication application(argc, argv);
    SetNames();
    QApplication::setWindowIcon(tarsel::ui::MakeIcon(tarsel::ui::EIcon::Program));

    // Qt's own buttons and file dialogs speak the program's language.
    tarsel::ui::CTranslations translations;
    translations.Install(StartLanguage(argc, argv));
    QApplication::setApplicationDisplayName(QApplication::translate("CMainFrame", "写频软件"));

    const CCommandLine commandLine = ParseCommandLine(application);
    tarsel::ui::CTarselApp program(tarsel::ProgramFiles(), commandLine.settings);
    if (!program.Start(commandLine.files)) return 1;
    // For the start-up benchmark: say when the main window has been painted, then leave.
    CFirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("TARSEL_EXIT_AFTER_FIRST_PAINT"))
        program.Frame()->installEventFilter(&probe);
    return QApplication::exec();
}
