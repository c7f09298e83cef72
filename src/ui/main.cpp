#include "core/radiolink/programfolder.h"
#include "core/radiolink/settingsfile.h"
#include "ui/shell/application.h"
#include "ui/shell/icons.h"
#include "ui/shell/mainframe.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

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

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarsel"));
    QApplication::setApplicationName(QStringLiteral("tarsel"));
    QApplication::setApplicationVersion(QStringLiteral(TARSEL_VERSION));
    QApplication::setWindowIcon(tarsel::ui::MakeIcon(tarsel::ui::EIcon::Program));

    // The program speaks Chinese; so do Qt's own buttons and file dialogs.
    QTranslator qtTranslation;
    if (qtTranslation.load(QStringLiteral("qtbase_zh_CN"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);
    QApplication::setApplicationDisplayName(QApplication::translate("CMainFrame", "写频软件"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QApplication::translate("main", "TZ-316 对讲机写频软件"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QApplication::translate("main", "要打开的数据文件 (*.dat)"),
                                 QStringLiteral("[file]"));
    parser.process(application);

    tarsel::ui::CTarselApp program(tarsel::ProgramFolder(), tarsel::DefaultSettingsPath());
    if (!program.Start(parser.positionalArguments())) return 1;
    // For the start-up benchmark: say when the main window has been painted, then leave.
    CFirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("TARSEL_EXIT_AFTER_FIRST_PAINT"))
        program.Frame()->installEventFilter(&probe);
    return QApplication::exec();
}
