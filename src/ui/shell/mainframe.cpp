#include "ui/shell/mainframe.h"

#include "core/image/datafile.h"
#include "core/interchange/channelcsv.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/settingsfile.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/programview.h"
#include "ui/dtmf/dtmfeditor.h"
#include "ui/editors/optionalfeaturesdialog.h"
#include "ui/fmradio/fmradiodialog.h"
#include "ui/interchange/csvimportdialog.h"
#include "ui/radiolink/backupui.h"
#include "ui/radiolink/batchwritedialog.h"
#include "ui/radiolink/modeldialog.h"
#include "ui/radiolink/portdialog.h"
#include "ui/radiolink/transferdialog.h"
#include "ui/service/decoderdialog.h"
#include "ui/service/parameteradjustdialog.h"
#include "ui/service/radioinfodialog.h"
#include "ui/shell/aboutdialog.h"
#include "ui/shell/childframe.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/icons.h"
#include "ui/shell/language.h"
#include "ui/shell/navigationbar.h"
#include "ui/shell/programdoc.h"
#include "ui/shell/prompter.h"
#include "ui/shell/workarea.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

namespace tarsel::ui {

namespace {

QString DataFileFilter() {
    return QCoreApplication::translate("CMainFrame", "*.dat (*.dat);;所有文件 (*)");
}

// Where the window was when the program last ended.
const QString kGeometryKey = QStringLiteral("MainWindow/Geometry");

// X11 keyboard state bits as the key events carry them.
constexpr quint32 kX11CapsLock = 0x02;
constexpr quint32 kX11NumLock = 0x10;

} // namespace

CMainFrame::CMainFrame(CMyDocManager& docs, CPrompter& prompter, const QString& modelText,
                       CProgramFiles programFiles, std::filesystem::path settingsPath)
    : docs_(docs), prompter_(prompter), programFiles_(std::move(programFiles)),
      settingsPath_(std::move(settingsPath)), area_(new CWorkArea(this)),
      navigation_(new CNavigationBar(modelText, this)), undoGroup_(new QUndoGroup(this)) {
    setObjectName(QStringLiteral("128"));
    setWindowTitle(tr("写频软件"));
    setWindowIcon(MakeIcon(EIcon::Program));

    // The background picture: background.bmp of the program's files, else our own, tiled.
    QPixmap background(QString::fromStdString(programFiles_.Find("background.bmp").string()));
    if (background.isNull()) background.load(QStringLiteral(":/background.png"));
    area_->setBackground(QBrush(background));
    area_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(area_);
    docs_.SetMdiArea(area_);

    addDockWidget(Qt::LeftDockWidgetArea, navigation_);
    resizeDocks({navigation_}, {180}, Qt::Horizontal);
    connect(navigation_, &CNavigationBar::ItemChosen, this, [this](CNavigationBar::EItem item) {
        switch (item) {
        case CNavigationBar::EItem::ChannelList:
            ShowChannelList();
            break;
        case CNavigationBar::EItem::OptionalFeatures:
            actions_[cmd::kOptionalFeatures]->trigger();
            break;
        case CNavigationBar::EItem::Dtmf:
            actions_[cmd::kDtmf]->trigger();
            break;
        }
    });

    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    CreateMenus();
    SwitchMenus();
    connect(area_, &QMdiArea::subWindowActivated, this, &CMainFrame::SwitchMenus);
    connect(&docs_, &CMyDocManager::DocumentsChanged, this, &CMainFrame::SwitchMenus);
    connect(&docs_, &CMyDocManager::RecentFilesChanged, this, &CMainFrame::UpdateRecentFiles);
    connect(area_, &QMdiArea::subWindowActivated, this, &CMainFrame::ActivateUndoStack);
    connect(&docs_, &CMyDocManager::DocumentsChanged, this, &CMainFrame::ActivateUndoStack);
    connect(&docs_, &CMyDocManager::ServiceUnlockRequested, this, &CMainFrame::ServiceUnlock);
    connect(&docs_, &CMyDocManager::InitialiseRequested, this,
            [this] { RunTransfer(ETransfer::Initialise); });
    // Whatever a command did, a dialog it opened or a window it switched to, the keys are in the
    // active list's grid afterwards (connected last, so it runs after the command).
    for (QAction* action : actions_)
        connect(action, &QAction::triggered, this, &CMainFrame::FocusActiveGrid);
    for (QAction* action : recent_)
        connect(action, &QAction::triggered, this, &CMainFrame::FocusActiveGrid);
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window) FocusActiveGrid();
    });
    qApp->installEventFilter(this);
}

void CMainFrame::ShowAtStart() {
    if (restoreGeometry(QSettings().value(kGeometryKey).toByteArray())) {
        show();
        return;
    }
    const QRect room = screen()->availableGeometry();
    const QSize size = sizeHint().boundedTo(room.size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, room));
    showMaximized();
}

void CMainFrame::FocusActiveGrid() {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (doc && doc->View() && doc->Frame() && doc->Frame()->isVisible())
        doc->View()->Grid()->setFocus(Qt::OtherFocusReason);
}

CMainFrame::~CMainFrame() {
    // The windows that go down with the frame must not switch menus that are already gone.
    disconnect(area_, nullptr, this, nullptr);
    disconnect(&docs_, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    docs_.SetMdiArea(nullptr);
    delete printer_;
}

QAction* CMainFrame::AddAction(int id, const QString& text, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::number(id));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    actions_.insert(id, action);
    return action;
}

void CMainFrame::CreateActions() {
    using namespace cmd;
    connect(AddAction(kFileNew, tr("新建(&N)"), QKeySequence::New), &QAction::triggered, this,
            &CMainFrame::FileNew);
    connect(AddAction(kFileOpen, tr("打开(&O)..."), QKeySequence::Open), &QAction::triggered, this,
            &CMainFrame::FileOpen);
    connect(AddAction(kFileClose, tr("关闭(&C)")), &QAction::triggered, this,
            &CMainFrame::FileClose);
    connect(AddAction(kFileSave, tr("保存(&S)"), QKeySequence::Save), &QAction::triggered, this,
            &CMainFrame::FileSave);
    connect(AddAction(kFileSaveAs, tr("另存为(&A)...")), &QAction::triggered, this,
            &CMainFrame::FileSaveAs);
    connect(AddAction(kOpenBackup, tr("打开备份(&B)...")), &QAction::triggered, this,
            &CMainFrame::OpenBackup);
    connect(AddAction(kImportCsv, tr("导入 CSV(&I)...")), &QAction::triggered, this,
            &CMainFrame::ImportCsv);
    connect(AddAction(kExportCsv, tr("导出 CSV(&E)...")), &QAction::triggered, this,
            &CMainFrame::ExportCsv);
    connect(AddAction(kPrint, tr("打印(&P)..."), QKeySequence::Print), &QAction::triggered, this,
            [this] { Print(false); });
    connect(AddAction(kPrintPreview, tr("打印预览(&V)")), &QAction::triggered, this,
            [this] { Print(true); });
    connect(AddAction(kPrintSetup, tr("打印设置(&R)...")), &QAction::triggered, this, [this] {
        if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
        QPageSetupDialog(printer_, this).exec();
    });
    connect(AddAction(kExit, tr("退出(&X)")), &QAction::triggered, this, &QWidget::close);
    connect(AddAction(kAbout, tr("关于 写频软件(&A)...")), &QAction::triggered, this,
            &CMainFrame::About);
    connect(AddAction(kChannelList, tr("信道信息")), &QAction::triggered, this,
            &CMainFrame::ShowChannelList);
    connect(AddAction(kModel, tr("机型")), &QAction::triggered, this, &CMainFrame::EditModel);
    connect(AddAction(kReadRadio, tr("读频")), &QAction::triggered, this,
            [this] { RunTransfer(ETransfer::Read); });
    connect(AddAction(kBatchWrite, tr("批量写频")), &QAction::triggered, this,
            &CMainFrame::BatchWrite);
    connect(AddAction(kWriteRadio, tr("写频")), &QAction::triggered, this,
            [this] { RunTransfer(ETransfer::Write); });
    connect(AddAction(kSerialPort, tr("串口")), &QAction::triggered, this, &CMainFrame::ChoosePort);
    connect(AddAction(kOptionalFeatures, tr("可选功能")), &QAction::triggered, this, [this] {
        EditActiveDocument(tr("可选功能"), [this](CProgramDoc& doc) {
            OpenOptionalFeatures(doc.Document(), this);
        });
    });
    connect(AddAction(kDtmf, tr("DTMF")), &QAction::triggered, this, [this] {
        EditActiveDocument(tr("DTMF"), [this](CProgramDoc& doc) {
            OpenDtmfEditor(doc.Document(), docs_.State(), this);
        });
    });
    connect(AddAction(kFmRadio, tr("收音机")), &QAction::triggered, this, [this] {
        EditActiveDocument(tr("收音机"),
                           [this](CProgramDoc& doc) { OpenFmRadio(doc.Document(), this); });
    });
    // The service windows edit stretches of the image that the lists do not show; the band
    // limits they may change are shown again afterwards.
    connect(AddAction(kParameterAdjust, tr("参数调节")), &QAction::triggered, this, [this] {
        EditActiveDocument(tr("参数调节"), [this](CProgramDoc& doc) {
            OpenParameterAdjust(doc.Document(), docs_.State(), settingsPath_, prompter_, this);
        });
    });
    connect(AddAction(kDtmfInitialise, tr("DTMF 初始化")), &QAction::triggered, this, [this] {
        EditActiveDocument(tr("DTMF 初始化"), [this](CProgramDoc& doc) {
            OpenDtmfDecoderInit(doc.Document(), docs_.State(), settingsPath_, prompter_, this);
        });
    });
    connect(AddAction(kRadioInfo, tr("对讲机信息")), &QAction::triggered, this, [this] {
        OpenRadioInformation(docs_.State().portName, settingsPath_, prompter_, this);
    });

    QAction* undo = undoGroup_->createUndoAction(this, tr("撤销"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setObjectName(QString::number(kUndo));
    actions_.insert(kUndo, undo);
    QAction* redo = undoGroup_->createRedoAction(this, tr("重做"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setObjectName(QString::number(kRedo));
    actions_.insert(kRedo, redo);
    undo->setIcon(MakeIcon(EIcon::Undo));
    redo->setIcon(MakeIcon(EIcon::Redo));

    // The row commands act on the list that has the focus, so their keys stay out of the other
    // controls (the navigation tree, say).
    const struct {
        int id;
        QString text;
        QKeySequence key;
        ERowEditOutcome (CProgramView::*command)();
    } rowCommands[] = {
        {kCopy, tr("复制"), QKeySequence::Copy, &CProgramView::CopyRows},
        {kCut, tr("剪切"), QKeySequence::Cut, &CProgramView::CutRows},
        {kPaste, tr("粘贴"), QKeySequence::Paste, &CProgramView::PasteRows},
        {kClear, tr("清除"), QKeySequence(Qt::Key_Delete), &CProgramView::ClearRows},
        {kInsertChannel, tr("插入空信道"), {}, &CProgramView::InsertRow},
        {kDeleteChannels, tr("删除并上移"), {}, &CProgramView::DeleteRows},
        {kSortChannels, tr("按接收频率排序"), {}, &CProgramView::SortRows},
    };
    for (const auto& row : rowCommands) {
        QAction* action = AddAction(row.id, row.text, row.key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this,
                [this, command = row.command] { RunRowCommand(command); });
    }

    actions_[kFileNew]->setIcon(MakeIcon(EIcon::New));
    actions_[kFileOpen]->setIcon(MakeIcon(EIcon::Open));
    actions_[kFileSave]->setIcon(MakeIcon(EIcon::Save));
    actions_[kReadRadio]->setIcon(MakeIcon(EIcon::Read));
    actions_[kSerialPort]->setIcon(MakeIcon(EIcon::SerialPort));
    actions_[kWriteRadio]->setIcon(MakeIcon(EIcon::Write));
    actions_[kPrint]->setIcon(MakeIcon(EIcon::Print));
    actions_[kAbout]->setIcon(MakeIcon(EIcon::About));

    QAction* bar = navigation_->toggleViewAction();
    bar->setText(tr("分隔栏"));
    bar->setObjectName(QString::number(kNavigationBar));
    actions_.insert(kNavigationBar, bar);
}

void CMainFrame::CreateToolBar() {
    auto* bar = addToolBar(tr("工具栏"));
    bar->setObjectName(QStringLiteral("toolbar128"));
    bar->setMovable(false);
    using namespace cmd;
    for (int id : {kFileNew, kFileOpen, 0, kFileSave, 0, kUndo, kRedo, 0, kReadRadio, kSerialPort,
                   kWriteRadio, 0, kPrint, kAbout}) {
        if (id == 0)
            bar->addSeparator();
        else
            bar->addAction(actions_[id]);
    }
    QAction* toggle = bar->toggleViewAction();
    toggle->setText(tr("工具栏(&T)"));
    toggle->setObjectName(QString::number(kToolBar));
    actions_.insert(kToolBar, toggle);
}

void CMainFrame::CreateStatusBar() {
    statusBar()->showMessage(tr("就绪"));
    capsLock_ = new QLabel(tr("大写"), this);
    numLock_ = new QLabel(tr("数字"), this);
    scrollLock_ = new QLabel(tr("滚动"), this);
    for (QLabel* indicator : {capsLock_, numLock_, scrollLock_}) {
        indicator->setFrameShape(QFrame::StyledPanel);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(indicator->text()) +
                                   12);
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
    QAction* toggle = new QAction(tr("状态栏(&S)"), this);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    toggle->setObjectName(QString::number(cmd::kStatusBar));
    connect(toggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    actions_.insert(cmd::kStatusBar, toggle);
}

void CMainFrame::CreateMenus() {
    using namespace cmd;
    recentSeparator_ = new QAction(this);
    recentSeparator_->setSeparator(true);
    for (std::size_t i = 0; i < recent_.size(); ++i) {
        recent_[i] = new QAction(this);
        connect(recent_[i], &QAction::triggered, this,
                [this, i] { docs_.OpenDocumentFile(recent_[i]->data().toString()); });
    }
    const auto fileMenu = [this](bool withDocument) {
        auto* file = new QMenu(tr("文件"), this);
        file->addAction(actions_[kFileNew]);
        file->addAction(actions_[kFileOpen]);
        file->addAction(actions_[kOpenBackup]);
        if (withDocument) {
            for (int id : {kFileClose, kFileSave, kFileSaveAs}) file->addAction(actions_[id]);
            file->addSeparator();
            file->addAction(actions_[kImportCsv]);
            file->addAction(actions_[kExportCsv]);
            file->addSeparator();
            file->addAction(actions_[kPrint]);
            file->addAction(actions_[kPrintPreview]);
        }
        file->addAction(actions_[kPrintSetup]);
        file->addSeparator();
        for (QAction* recent : recent_) file->addAction(recent);
        file->addAction(recentSeparator_);
        file->addAction(actions_[kExit]);
        return file;
    };
    auto* languages = new CLanguageMenu(this);
    connect(languages, &CLanguageMenu::Chosen, this,
            [this] { statusBar()->showMessage(tr("界面语言将在下次启动时切换")); });
    const auto viewMenu = [this, languages](bool withDocument) {
        auto* view = new QMenu(tr("视图"), this);
        view->addAction(actions_[kToolBar]);
        view->addAction(actions_[kStatusBar]);
        if (withDocument) view->addAction(actions_[kNavigationBar]);
        view->addSeparator();
        view->addMenu(languages->Menu());
        return view;
    };
    auto* help = new QMenu(tr("帮助"), this);
    help->addAction(actions_[kAbout]);

    editMenu_ = new QMenu(tr("编辑"), this);
    editMenu_->setObjectName(QStringLiteral("menuEdit"));
    for (int id : {kUndo, kRedo, 0, kCopy, kCut, kPaste, kClear, 0, kInsertChannel, kDeleteChannels,
                   kSortChannels, 0}) {
        if (id == 0)
            editMenu_->addSeparator();
        else
            editMenu_->addAction(actions_[id]);
    }
    // "参数调节" and "DTMF 初始化" join at the end once the service password is given.
    for (int id : {kModel, kChannelList, kOptionalFeatures, kDtmf, kFmRadio, kRadioInfo})
        editMenu_->addAction(actions_[id]);
    auto* program = new QMenu(tr("编程"), this);
    program->addAction(actions_[kReadRadio]);
    program->addAction(actions_[kWriteRadio]);
    program->addAction(actions_[kBatchWrite]);
    auto* setup = new QMenu(tr("设置"), this);
    setup->addAction(actions_[kSerialPort]);

    documentMenus_ = {fileMenu(true), editMenu_, program, setup, viewMenu(true), help};
    emptyMenus_ = {fileMenu(false), viewMenu(false), help};
    UpdateRecentFiles();
}

void CMainFrame::SwitchMenus() {
    using namespace cmd;
    const bool withDocument = area_->activeSubWindow() != nullptr;
    for (int id : {kFileClose, kFileSave, kFileSaveAs, kPrint, kPrintPreview})
        actions_[id]->setEnabled(withDocument);
    actions_[kChannelList]->setEnabled(!docs_.Documents().empty());

    // Only the menu bar's list of menus changes: every menu and command stays the same object, so
    // accessibility tools and open menus keep what they found.
    const std::vector<QMenu*>& wanted = withDocument ? documentMenus_ : emptyMenus_;
    QMenuBar* bar = menuBar();
    const QList<QAction*> shown = bar->actions();
    if (shown.size() == static_cast<qsizetype>(wanted.size()) &&
        std::equal(wanted.begin(), wanted.end(), shown.begin(),
                   [](QMenu* menu, QAction* action) { return menu->menuAction() == action; }))
        return;
    for (QAction* action : shown) bar->removeAction(action);
    for (QMenu* menu : wanted) bar->addMenu(menu);
}

void CMainFrame::UpdateRecentFiles() {
    const QStringList files = docs_.RecentFiles();
    for (std::size_t i = 0; i < recent_.size(); ++i) {
        const bool used = static_cast<qsizetype>(i) < files.size();
        recent_[i]->setVisible(used);
        recent_[i]->setData(used ? files[static_cast<qsizetype>(i)] : QString());
        recent_[i]->setText(
            used ? QStringLiteral("&%1 %2").arg(i + 1).arg(files[static_cast<qsizetype>(i)])
                 : QString());
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

void CMainFrame::FileNew() { docs_.NewDocument(); }

void CMainFrame::FileOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("打开"), QString(), DataFileFilter());
    if (!path.isEmpty()) docs_.OpenDocumentFile(path);
}

void CMainFrame::OpenBackup() {
    const QString path = ChooseBackupFile(this);
    if (!path.isEmpty()) docs_.OpenDocumentFile(path);
}

namespace {

QString CsvFilter() {
    return QCoreApplication::translate("CMainFrame", "CSV 信道表 (*.csv);;所有文件 (*)");
}

} // namespace

void CMainFrame::ImportCsv() {
    if (!docs_.ActiveDocument()) return;
    const QString path = QFileDialog::getOpenFileName(this, tr("导入 CSV"), QString(), CsvFilter());
    if (path.isEmpty()) return;
    std::string text;
    if (const auto error = LoadTextFile(path.toStdString(), text)) {
        prompter_.ShowError(this, tr("无法打开文件“%1”。").arg(QFileInfo(path).fileName()),
                            QString::fromStdString(DescribeFileError(*error)));
        return;
    }
    EditActiveDocument(tr("导入 CSV"), [this, &text](CProgramDoc& doc) {
        CCsvImportDialog dialog(std::move(text), doc.Document().Image(), doc.Document().Limits(),
                                this);
        dialog.exec();
    });
}

void CMainFrame::ExportCsv() {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    QFileDialog dialog(this, tr("导出 CSV"),
                       QFileInfo(doc->Title()).completeBaseName() + QStringLiteral(".csv"),
                       CsvFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    doc->View()->ParseIntoImage();
    const std::string text = WriteChannelCsv(doc->Document().Image(), doc->Document().Limits());
    const auto bytes = std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (const auto error = SaveFileReplacing(path.toStdString(), bytes))
        prompter_.ShowError(this, tr("无法保存文件“%1”。").arg(QFileInfo(path).fileName()),
                            QString::fromStdString(DescribeFileError(*error)));
}

bool CMainFrame::SaveDocument(CProgramDoc* doc, bool askForName) {
    if (!doc) return false;
    QString path = doc->Path();
    if (askForName || path.isEmpty()) {
        QFileDialog dialog(this, tr("另存为"), path.isEmpty() ? doc->Title() : path,
                           DataFileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("dat"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        path = dialog.selectedFiles().first();
    }
    return docs_.SaveDocument(doc, path);
}

bool CMainFrame::FileSave() { return SaveDocument(docs_.ActiveDocument(), false); }

bool CMainFrame::FileSaveAs() { return SaveDocument(docs_.ActiveDocument(), true); }

void CMainFrame::FileClose() {
    if (QMdiSubWindow* active = area_->activeSubWindow()) active->close();
}

void CMainFrame::ShowChannelList() {
    docs_.ShowDocument(docs_.ActiveDocument());
    FocusActiveGrid();
}

void CMainFrame::About() {
    CAboutDialog dialog(CSettingsFile(settingsPath_), this);
    dialog.exec();
}

void CMainFrame::EditActiveDocument(const QString& text,
                                    const std::function<void(CProgramDoc&)>& tool) {
    // Held by pointer across the tool: the document stays the one the tool started on even if
    // another window becomes active meanwhile.
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    doc->View()->ParseIntoImage();
    const CDocumentContent before = doc->Document().Content();
    tool(*doc);
    if (!(doc->Document().Image() == before.image) || !(doc->Document().Limits() == before.limits))
        doc->View()->FillFromImage();
    doc->RecordStep(before, text);
}

void CMainFrame::EditModel() {
    EditActiveDocument(tr("机型"), [this](CProgramDoc& doc) {
        CModelDialog dialog(doc.Document(), docs_.State(), this);
        dialog.exec();
    });
}

void CMainFrame::RunTransfer(ETransfer transfer) {
    const QString names[] = {tr("读频"), tr("写频"), tr("初始化")};
    EditActiveDocument(names[int(transfer)], [this, transfer](CProgramDoc& doc) {
        CTransferDialog dialog(transfer, doc.Document(), docs_.State(), settingsPath_, prompter_,
                               this);
        dialog.exec();
    });
}

void CMainFrame::BatchWrite() {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    // As "写频": the list is parsed first; the window sends a copy and never changes the document.
    doc->View()->ParseIntoImage();
    CBatchWriteDialog dialog(doc->Document().Image(), docs_.State(), settingsPath_, prompter_,
                             this);
    dialog.exec();
}

void CMainFrame::RunRowCommand(ERowEditOutcome (CProgramView::*command)()) {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    QString why;
    switch ((doc->View()->*command)()) {
    case ERowEditOutcome::Done:
        return;
    case ERowEditOutcome::NotMemoryChannels:
        why = tr("只能对存储信道 A 001 至 B 128 进行此操作，VFO 不在其中。");
        break;
    case ERowEditOutcome::PastLastChannel:
        why = tr("要粘贴的信道超出了 B 128，未粘贴任何信道。");
        break;
    case ERowEditOutcome::HalfFull:
        why = tr("本段的最后一个信道不是空信道，插入会挤掉它：请先清除或删除它。");
        break;
    case ERowEditOutcome::NothingToPaste:
        why = tr("剪贴板中没有可粘贴的信道。");
        break;
    }
    prompter_.ShowError(this, why, {});
}

void CMainFrame::ActivateUndoStack() {
    CProgramDoc* doc = docs_.ActiveDocument();
    for (const auto& each : docs_.Documents()) {
        if (!undoGroup_->stacks().contains(each->UndoStack()))
            undoGroup_->addStack(each->UndoStack());
        if (each->View())
            each->View()->SetContextActions(
                {actions_[cmd::kCopy], actions_[cmd::kCut], actions_[cmd::kPaste],
                 actions_[cmd::kClear], actions_[cmd::kInsertChannel],
                 actions_[cmd::kDeleteChannels], actions_[cmd::kSortChannels]});
    }
    undoGroup_->setActiveStack(doc ? doc->UndoStack() : nullptr);
}

void CMainFrame::ChoosePort() {
    CPosixSerialPort probe{CSettingsFile(settingsPath_)};
    CPortDialog dialog(docs_.State(), settingsPath_, probe, this);
    dialog.exec();
}

void CMainFrame::ServiceUnlock() {
    if (!prompter_.AskServicePassword(this)) return;
    docs_.State().serviceUnlocked = true;
    for (const auto& doc : docs_.Documents())
        if (doc->View()) doc->View()->ShowServiceControls();
    for (int id : {cmd::kParameterAdjust, cmd::kDtmfInitialise})
        if (!editMenu_->actions().contains(actions_[id])) editMenu_->addAction(actions_[id]);
}

void CMainFrame::Print(bool preview) {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
    printer_->setDocName(doc->Title());
    CProgramView* view = doc->View();
    view->setWindowTitle(doc->Title());
    if (preview) {
        QPrintPreviewDialog dialog(printer_, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, view, &CProgramView::Print);
        dialog.exec();
        return;
    }
    QPrintDialog dialog(printer_, this);
    if (dialog.exec() == QDialog::Accepted) view->Print(printer_);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Every document with changes is asked about in turn, hidden ones too; Cancel, or a save that
    // fails, keeps the program open.
    for (CProgramDoc* doc : docs_.ModifiedDocuments()) {
        if (doc->Frame() && doc->Frame()->isVisible()) area_->setActiveSubWindow(doc->Frame());
        const auto answer =
            prompter_.AskYesNoCancel(this, tr("是否保存对“%1”的更改？").arg(doc->Title()));
        if (answer == CPrompter::EAnswer::Cancel ||
            (answer == CPrompter::EAnswer::Yes && !SaveDocument(doc, false))) {
            event->ignore();
            return;
        }
    }
    qApp->removeEventFilter(this);
    QSettings().setValue(kGeometryKey, saveGeometry());
    event->accept();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    navigation_->LimitWidth(width());
}

bool CMainFrame::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const quint32 state = static_cast<QKeyEvent*>(event)->nativeModifiers();
        capsLock_->setEnabled(state & kX11CapsLock);
        numLock_->setEnabled(state & kX11NumLock);
    }
    return QMainWindow::eventFilter(object, event);
}

} // namespace tarsel::ui
