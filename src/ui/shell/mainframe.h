// The main window: menus, tool bar, status bar, the navigation bar and the document windows over
// a tiled background.
#pragma once

#include <QHash>
#include <QMainWindow>

#include "core/radiolink/programfolder.h"
#include "core/radiolink/transfer.h"

#include <filesystem>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;

namespace tarsel::ui {

class CMyDocManager;
class CNavigationBar;
class CPrompter;
class CProgramDoc;

// Command ids of the menus and the tool bar (each action's objectName is its id).
namespace cmd {
inline constexpr int kFileNew = 57600, kFileOpen = 57601, kFileClose = 57602, kFileSave = 57603,
                     kFileSaveAs = 57604, kPrintSetup = 57606, kPrint = 57607,
                     kPrintPreview = 57609, kExit = 57665, kAbout = 57664, kToolBar = 59392,
                     kStatusBar = 59393;
inline constexpr int kReadRadio = 32773, kWriteRadio = 32774, kSerialPort = 32777,
                     kNavigationBar = 32772, kModel = 32805, kChannelList = 32787,
                     kOptionalFeatures = 32788, kDtmf = 32789, kFmRadio = 32806,
                     kParameterAdjust = 32807, kDtmfInitialise = 32808, kRadioInfo = 32809;
} // namespace cmd

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CMyDocManager& docs, CPrompter& prompter, const QString& modelText,
               CProgramFiles programFiles, std::filesystem::path settingsPath);
    ~CMainFrame() override;

    QAction* Action(int id) const { return actions_.value(id); }
    QMdiArea* MdiArea() const { return area_; }
    CNavigationBar* NavigationBar() const { return navigation_; }

    // File > New: the warning when a list is shown, then a new document.
    void FileNew();
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void FileClose();
    void ShowChannelList();
    void About();
    // Ctrl+F11: the service password; the right one brings the service commands for this run.
    void ServiceUnlock();
    // "机型": the list is parsed first and refilled afterwards.
    void EditModel();
    // "读频", "写频", "初始化": the progress window; a write parses the list first, a completed
    // read refills it.
    void RunTransfer(ETransfer transfer);
    void ChoosePort();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QAction* AddAction(int id, const QString& text, const QKeySequence& shortcut = {});
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildMenus();
    void FillRecentMenu(QMenu* menu);
    void Print(bool preview);
    bool SaveDocument(CProgramDoc* doc, bool askForName);

    CMyDocManager& docs_;
    CPrompter& prompter_;
    CProgramFiles programFiles_;
    std::filesystem::path settingsPath_;
    QMdiArea* area_;
    CNavigationBar* navigation_;
    QHash<int, QAction*> actions_;
    QLabel* capsLock_ = nullptr;
    QLabel* numLock_ = nullptr;
    QLabel* scrollLock_ = nullptr;
    QPrinter* printer_ = nullptr;
};

} // namespace tarsel::ui
