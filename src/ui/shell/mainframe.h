// The main window: menus, tool bar, status bar, the navigation bar and the document windows over
// a tiled background.
#pragma once

#include <QHash>
#include <QMainWindow>

#include "core/document/channelrowedits.h"
#include "core/radiolink/programfolder.h"
#include "core/radiolink/transfer.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/workarea.h"

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QUndoGroup;

namespace tarsel::ui {

class CNavigationBar;
class CPrompter;
class CProgramDoc;
class CProgramView;

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
inline constexpr int kUndo = 57643, kRedo = 57644, kCopy = 57634, kCut = 57635, kPaste = 57637,
                     kClear = 57632, kInsertChannel = 32900, kDeleteChannels = 32901,
                     kSortChannels = 32902, kImportCsv = 32903, kExportCsv = 32904,
                     kOpenBackup = 32905, kBatchWrite = 32906;
} // namespace cmd

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CMyDocManager& docs, CPrompter& prompter, const QString& modelText,
               CProgramFiles programFiles, std::filesystem::path settingsPath);
    ~CMainFrame() override;

    QAction* Action(int id) const { return actions_.value(id); }
    CWorkArea* MdiArea() const { return area_; }
    CNavigationBar* NavigationBar() const { return navigation_; }

    // Shows the window as it was when the program last ended, else as large as the list window
    // wants within the screen, maximised.
    void ShowAtStart();
    // The keyboard goes to the active list's grid.
    void FocusActiveGrid();
    // File > New: a new document in a window of its own.
    void FileNew();
    void FileOpen();
    // 文件 > 打开备份…: the file dialog in the backup folder.
    void OpenBackup();
    // 文件 > 导入 CSV… (one undo step) and 导出 CSV….
    void ImportCsv();
    void ExportCsv();
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
    // 编程 > 批量写频: the document written to every ticked radio at once.
    void BatchWrite();
    QUndoGroup* UndoGroup() const { return undoGroup_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QAction* AddAction(int id, const QString& text, const QKeySequence& shortcut = {});
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    // The menus of a document window or those of none; the commands a document needs enabled.
    void SwitchMenus();
    void UpdateRecentFiles();
    void Print(bool preview);
    bool SaveDocument(CProgramDoc* doc, bool askForName);
    // A tool's session on the active document: the list is parsed first, and whatever the tool
    // changed becomes one undo step named text.
    void EditActiveDocument(const QString& text, const std::function<void(CProgramDoc&)>& tool);
    // A row command on the active list; a refusal is explained.
    void RunRowCommand(ERowEditOutcome (CProgramView::*command)());
    void ActivateUndoStack();

    CMyDocManager& docs_;
    CPrompter& prompter_;
    CProgramFiles programFiles_;
    std::filesystem::path settingsPath_;
    CWorkArea* area_;
    CNavigationBar* navigation_;
    QHash<int, QAction*> actions_;
    // The two menu bars, built once: the menus of each, shown in the one menu bar by turns.
    std::vector<QMenu*> documentMenus_;
    std::vector<QMenu*> emptyMenus_;
    QMenu* editMenu_ = nullptr;
    std::array<QAction*, CMyDocManager::kRecentFileCount> recent_{};
    QAction* recentSeparator_ = nullptr;
    QLabel* capsLock_ = nullptr;
    QLabel* numLock_ = nullptr;
    QLabel* scrollLock_ = nullptr;
    QPrinter* printer_ = nullptr;
    QUndoGroup* undoGroup_;
};

} // namespace tarsel::ui
