#include "ui/shell/mainframe.h"

#include "core/radiolink/posixserialport.h"
#include "core/radiolink/settingsfile.h"
#include "ui/channelview/programview.h"
#include "ui/dtmf/dtmfeditor.h"
#include "ui/editors/optionalfeaturesdialog.h"
#include "ui/fmradio/fmradiodialog.h"
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
#include "ui/shell/navigationbar.h"
#include "ui/shell/programdoc.h"
#include "ui/shell/prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

namespace tarsel::ui {

namespace {

QString DataFileFilter() {
    return QCoreApplication::translate("CMainFrame", "*.dat (*.dat);;所有文件 (*)");
}

// X11 keyboard state bits as the key events carry them.
constexpr quint32 kX11CapsLock = 0x02;
constexpr quint32 kX11NumLock = 0x10;

} // namespace

CMainFrame::CMainFrame(CMyDocManager& docs, CPrompter& prompter, const QString& modelText,
                       CProgramFiles programFiles, std::filesystem::path settingsPath)
    : docs_(docs), prompter_(prompter), programFiles_(std::move(programFiles)),
      settingsPath_(std::move(settingsPath)), area_(new QMdiArea(this)),
      navigation_(new CNavigationBar(modelText, this)) {
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
        case CNavigationBar::EItem::ChannelList: ShowChannelList(); break;
        case CNavigationBar::EItem::OptionalFeatures:
            OpenOptionalFeatures(docs_.State(), this);
            break;
        case CNavigationBar::EItem::Dtmf: OpenDtmfEditor(docs_.State(), this); break;
        }
    });

    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    RebuildMenus();
    connect(area_, &QMdiArea::subWindowActivated, this, &CMainFrame::RebuildMenus);
    connect(&docs_, &CMyDocManager::DocumentsChanged, this, &CMainFrame::RebuildMenus);
    connect(&docs_, &CMyDocManager::RecentFilesChanged, this, &CMainFrame::RebuildMenus);
    connect(&docs_, &CMyDocManager::ServiceUnlockRequested, this, &CMainFrame::ServiceUnlock);
    connect(&docs_, &CMyDocManager::InitialiseRequested, this,
            [this] { RunTransfer(ETransfer::Initialise); });
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    // The windows that go down with the frame must not rebuild menus that are already gone.
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
    connect(AddAction(kWriteRadio, tr("写频")), &QAction::triggered, this,
            [this] { RunTransfer(ETransfer::Write); });
    connect(AddAction(kSerialPort, tr("串口")), &QAction::triggered, this, &CMainFrame::ChoosePort);
    connect(AddAction(kOptionalFeatures, tr("可选功能")), &QAction::triggered, this,
            [this] { OpenOptionalFeatures(docs_.State(), this); });
    connect(AddAction(kDtmf, tr("DTMF")), &QAction::triggered, this,
            [this] { OpenDtmfEditor(docs_.State(), this); });
    connect(AddAction(kFmRadio, tr("收音机")), &QAction::triggered, this,
            [this] { OpenFmRadio(docs_.State(), this); });
    // The service windows edit stretches of the image that the lists do not show.
    connect(AddAction(kParameterAdjust, tr("参数调节")), &QAction::triggered, this,
            [this] { OpenParameterAdjust(docs_.State(), settingsPath_, prompter_, this); });
    connect(AddAction(kDtmfInitialise, tr("DTMF 初始化")), &QAction::triggered, this,
            [this] { OpenDtmfDecoderInit(docs_.State(), settingsPath_, prompter_, this); });
    connect(AddAction(kRadioInfo, tr("对讲机信息")), &QAction::triggered, this, [this] {
        OpenRadioInformation(docs_.State().portName, settingsPath_, prompter_, this);
    });

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
    for (int id : {kFileNew, kFileOpen, 0, kFileSave, 0, kReadRadio, kSerialPort, kWriteRadio, 0,
                   kPrint, kAbout}) {
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

void CMainFrame::RebuildMenus() {
    using namespace cmd;
    const bool withDocument = area_->activeSubWindow() != nullptr;
    for (int id : {kFileClose, kFileSave, kFileSaveAs, kPrint, kPrintPreview})
        actions_[id]->setEnabled(withDocument);
    actions_[kChannelList]->setEnabled(!docs_.Documents().empty());

    QMenuBar* bar = menuBar();
    // Later, not now: this may run from one of these menus' own actions.
    for (QMenu* old : bar->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        old->deleteLater();
    bar->clear();
    QMenu* file = bar->addMenu(tr("文件"));
    file->addAction(actions_[kFileNew]);
    file->addAction(actions_[kFileOpen]);
    if (withDocument) {
        file->addAction(actions_[kFileClose]);
        file->addAction(actions_[kFileSave]);
        file->addAction(actions_[kFileSaveAs]);
        file->addSeparator();
        file->addAction(actions_[kPrint]);
        file->addAction(actions_[kPrintPreview]);
    }
    file->addAction(actions_[kPrintSetup]);
    file->addSeparator();
    FillRecentMenu(file);
    file->addAction(actions_[kExit]);
    if (withDocument) {
        QMenu* edit = bar->addMenu(tr("编辑"));
        edit->setObjectName(QStringLiteral("menuEdit"));
        // "参数调节" and "DTMF 初始化" stay out until the service password is given, then come
        // at the end.
        for (int id : {kModel, kChannelList, kOptionalFeatures, kDtmf, kFmRadio, kRadioInfo})
            edit->addAction(actions_[id]);
        if (docs_.State().serviceUnlocked) {
            edit->addAction(actions_[kParameterAdjust]);
            edit->addAction(actions_[kDtmfInitialise]);
        }
        QMenu* program = bar->addMenu(tr("编程"));
        program->addAction(actions_[kReadRadio]);
        program->addAction(actions_[kWriteRadio]);
        bar->addMenu(tr("设置"))->addAction(actions_[kSerialPort]);
    }
    QMenu* view = bar->addMenu(tr("视图"));
    view->addAction(actions_[kToolBar]);
    view->addAction(actions_[kStatusBar]);
    if (withDocument) view->addAction(actions_[kNavigationBar]);
    bar->addMenu(tr("帮助"))->addAction(actions_[kAbout]);
}

void CMainFrame::FillRecentMenu(QMenu* menu) {
    const QStringList files = docs_.RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* recent = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
        const QString path = files[i];
        connect(recent, &QAction::triggered, this, [this, path] { docs_.OpenDocumentFile(path); });
    }
    if (!files.isEmpty()) menu->addSeparator();
}

void CMainFrame::FileNew() {
    if (QMdiSubWindow* active = area_->activeSubWindow(); active && active->isVisible()) {
        if (prompter_.AskOkCancel(this, tr("所有数据将会被清除！")) != CPrompter::EAnswer::Ok)
            return;
        for (const auto& doc : docs_.Documents())
            if (doc->Frame() == active) {
                docs_.CloseDocument(doc.get());
                break;
            }
    }
    docs_.NewDocument();
}

void CMainFrame::FileOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("打开"), QString(), DataFileFilter());
    if (!path.isEmpty()) docs_.OpenDocumentFile(path);
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

void CMainFrame::ShowChannelList() { docs_.ShowDocument(docs_.ActiveDocument()); }

void CMainFrame::About() {
    CAboutDialog dialog(CSettingsFile(settingsPath_), this);
    dialog.exec();
}

void CMainFrame::EditModel() {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    doc->View()->ParseIntoImage();
    CModelDialog dialog(docs_.State(), this);
    dialog.exec();
    docs_.RefillAllViews();
}

void CMainFrame::RunTransfer(ETransfer transfer) {
    CProgramDoc* doc = docs_.ActiveDocument();
    if (!doc || !doc->View()) return;
    if (transfer != ETransfer::Read) doc->View()->ParseIntoImage();
    CTransferDialog dialog(transfer, docs_.State(), settingsPath_, prompter_, this);
    dialog.exec();
    if (transfer == ETransfer::Read && dialog.Done()) docs_.RefillAllViews();
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
    RebuildMenus();
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
    // The framework this program grew up with dropped unsaved edits silently; ask instead.
    if (docs_.HasUnsavedWork()) {
        CProgramDoc* doc = docs_.ActiveDocument();
        const auto answer = prompter_.AskYesNoCancel(
            this, tr("是否保存对“%1”的更改？").arg(doc ? doc->Title() : QString()));
        if (answer == CPrompter::EAnswer::Cancel ||
            (answer == CPrompter::EAnswer::Yes && !FileSave())) {
            event->ignore();
            return;
        }
    }
    qApp->removeEventFilter(this);
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
