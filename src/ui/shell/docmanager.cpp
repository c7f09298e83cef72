#include "ui/shell/docmanager.h"

#include "core/image/datafile.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/programview.h"
#include "ui/shell/childframe.h"
#include "ui/shell/programdoc.h"
#include "ui/shell/prompter.h"
#include "ui/shell/workarea.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QSettings>

namespace tarsel::ui {

namespace {

const QString kRecentKey = QStringLiteral("Recent File List/Files");

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

} // namespace

CMyDocManager::CMyDocManager(CProgramState& state, CProgramFiles programFiles, CPrompter& prompter,
                             QObject* parent)
    : QObject(parent), state_(state), programFiles_(std::move(programFiles)), prompter_(prompter) {}

CMyDocManager::~CMyDocManager() = default;

CProgramDoc* CMyDocManager::CreateDocument(const QString& path, const CMemoryImage& image) {
    docs_.push_back(std::make_unique<CProgramDoc>(path, image));
    CProgramDoc* doc = docs_.back().get();
    auto* frame = new CChildFrame;
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* view = new CProgramView(*doc, state_, frame);
    frame->setWidget(view);
    connect(view, &CProgramView::ServiceUnlockRequested, this,
            &CMyDocManager::ServiceUnlockRequested);
    connect(view, &CProgramView::InitialiseRequested, this, &CMyDocManager::InitialiseRequested);
    frame->setWindowIcon(QApplication::windowIcon());
    doc->Attach(frame, view);
    if (area_) area_->AddWindow(frame);
    view->Grid()->setFocus(Qt::OtherFocusReason);
    emit DocumentsChanged();
    return doc;
}

CProgramDoc* CMyDocManager::NewDocument() {
    return CreateDocument({}, NewDocumentImage(programFiles_.FolderOf(kDefaultDataFileName)));
}

CProgramDoc* CMyDocManager::OpenDocumentFile(const QString& path) {
    const QString canonical = Canonical(path);
    for (const auto& doc : docs_) {
        if (!doc->Path().isEmpty() && Canonical(doc->Path()) == canonical) {
            ShowDocument(doc.get());
            return doc.get();
        }
    }
    CMemoryImage loaded;
    if (const auto error = LoadDataFile(canonical.toStdString(), loaded)) {
        prompter_.ShowError(area_ ? area_->window() : nullptr,
                            tr("无法打开文件“%1”。").arg(QFileInfo(path).fileName()),
                            QString::fromStdString(DescribeFileError(*error)));
        return nullptr;
    }
    CProgramDoc* doc = CreateDocument(canonical, loaded);
    AddRecentFile(canonical);
    return doc;
}

bool CMyDocManager::SaveDocument(CProgramDoc* doc, const QString& path) {
    if (doc->View()) doc->View()->ParseIntoImage();
    if (const auto error = SaveDataFile(path.toStdString(), doc->Document().Image())) {
        prompter_.ShowError(area_ ? area_->window() : nullptr,
                            tr("无法保存文件“%1”。").arg(QFileInfo(path).fileName()),
                            QString::fromStdString(DescribeFileError(*error)));
        return false;
    }
    doc->SetPath(Canonical(path));
    doc->MarkSaved();
    AddRecentFile(doc->Path());
    return true;
}

void CMyDocManager::CloseDocument(CProgramDoc* doc) {
    for (auto it = docs_.begin(); it != docs_.end(); ++it) {
        if (it->get() != doc) continue;
        if (doc->Frame()) {
            if (area_) area_->removeSubWindow(doc->Frame());
            delete doc->Frame();
        }
        docs_.erase(it);
        emit DocumentsChanged();
        return;
    }
}

void CMyDocManager::ShowDocument(CProgramDoc* doc) {
    if (!doc || !doc->Frame()) return;
    doc->Frame()->show();
    if (area_) {
        area_->setActiveSubWindow(doc->Frame());
        area_->window()->activateWindow();
    }
    if (doc->View()) doc->View()->Grid()->setFocus(Qt::OtherFocusReason);
    emit DocumentsChanged();
}

CProgramDoc* CMyDocManager::ActiveDocument() const {
    const QMdiSubWindow* active = area_ ? area_->activeSubWindow() : nullptr;
    for (const auto& doc : docs_)
        if (doc->Frame() == active && active) return doc.get();
    // A hidden window is no longer active; the document behind it still is the current one.
    return docs_.empty() ? nullptr : docs_.back().get();
}

std::vector<CProgramDoc*> CMyDocManager::ModifiedDocuments() {
    std::vector<CProgramDoc*> modified;
    for (const auto& doc : docs_)
        if (doc->IsModified()) modified.push_back(doc.get());
    return modified;
}

QStringList CMyDocManager::RecentFiles() const {
    return QSettings().value(kRecentKey).toStringList();
}

void CMyDocManager::AddRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount) files.removeLast();
    QSettings().setValue(kRecentKey, files);
    emit RecentFilesChanged();
}

} // namespace tarsel::ui
