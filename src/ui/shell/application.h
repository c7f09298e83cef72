// The program as a whole: the program-wide values, the documents and the main window, put
// together at start-up in the order the program has always used.
#pragma once

#include "core/image/programstate.h"
#include "core/radiolink/programfolder.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/mainframe.h"
#include "ui/shell/prompter.h"

#include <QObject>
#include <QStringList>

#include <filesystem>
#include <memory>

namespace tarsel::ui {

class CTarselApp : public QObject {
    Q_OBJECT
public:
    // prompter: nullptr for real message boxes.
    CTarselApp(CProgramFiles programFiles, std::filesystem::path settingsPath,
               std::unique_ptr<CPrompter> prompter = nullptr);
    ~CTarselApp() override;

    // Reads the settings, shows the splash when startup.bmp is there, creates the main window and
    // the first documents: the files named, else a new one. Returns false when start-up failed.
    bool Start(const QStringList& files, bool showSplash = true);

    CProgramState& State() { return state_; }
    CMainFrame* Frame() const { return frame_.get(); }
    CMyDocManager& Docs() const { return *docs_; }
    CPrompter& Prompter() const { return *prompter_; }

private:
    void ReadSettings();

    CProgramFiles programFiles_;
    std::filesystem::path settingsPath_;
    // The state outlives the windows: closing a list writes into the image.
    CProgramState state_;
    std::unique_ptr<CPrompter> prompter_;
    std::unique_ptr<CMyDocManager> docs_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace tarsel::ui
