#include "ui/shell/application.h"

#include "core/radiolink/portname.h"
#include "core/radiolink/settingsfile.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/mainframe.h"
#include "ui/shell/prompter.h"
#include "ui/shell/splash.h"

#include <QEventLoop>
#include <QTimer>

namespace tarsel::ui {

CTarselApp::CTarselApp(CProgramFiles programFiles, std::filesystem::path settingsPath,
                       std::unique_ptr<CPrompter> prompter)
    : programFiles_(std::move(programFiles)), settingsPath_(std::move(settingsPath)),
      prompter_(prompter ? std::move(prompter) : std::make_unique<CPrompter>()),
      docs_(std::make_unique<CMyDocManager>(state_, programFiles_, *prompter_)) {}

CTarselApp::~CTarselApp() {
    // Windows first: each list parses itself into the image as it goes.
    frame_.reset();
    docs_.reset();
}

void CTarselApp::ReadSettings() {
    const CSettingsFile settings(settingsPath_);
    state_.portName = PortNameFromNumber(settings.ReadInteger("Setup", "COM", 0));
    state_.modelText = settings.ReadText("Setup", "Type");
}

bool CTarselApp::Start(const QStringList& files, bool showSplash) {
    ReadSettings();
    if (showSplash) {
        const QString picture = QString::fromStdString(programFiles_.Find("startup.bmp").string());
        if (CSplash* splash = CSplash::ShowIfPresent(picture)) {
            QEventLoop wait;
            connect(splash, &CSplash::Dismissed, &wait, &QEventLoop::quit);
            QTimer::singleShot(1000, &wait, &QEventLoop::quit);
            wait.exec();
        }
    }
    frame_ = std::make_unique<CMainFrame>(
        *docs_, *prompter_, QString::fromStdString(state_.modelText), programFiles_, settingsPath_);
    // Every file named, each in a window of its own, the last one active. A file that cannot be
    // read is reported and the others still open; with none open the program starts with a new
    // document rather than not at all.
    bool opened = false;
    for (const QString& file : files) opened = docs_->OpenDocumentFile(file) || opened;
    if (!opened) docs_->NewDocument();
    frame_->ShowAtStart();
    return true;
}

} // namespace tarsel::ui
