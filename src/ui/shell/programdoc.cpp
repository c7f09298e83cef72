#include "ui/shell/programdoc.h"

#include "ui/channelview/programview.h"
#include "ui/shell/childframe.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>

namespace tarsel::ui {

namespace {

// Comfortably more than the 200 steps a user can count on.
constexpr int kUndoLimit = 256;

class CContentStep : public QUndoCommand {
public:
    CContentStep(CProgramDoc& doc, std::shared_ptr<const CDocumentContent> before,
                 std::shared_ptr<const CDocumentContent> after, const QString& text)
        : QUndoCommand(text), doc_(doc), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { doc_.Restore(*before_); }
    void redo() override {
        // Pushing a step redoes it; the change has already happened.
        if (std::exchange(pushed_, true)) doc_.Restore(*after_);
    }

private:
    CProgramDoc& doc_;
    std::shared_ptr<const CDocumentContent> before_, after_;
    bool pushed_ = false;
};

} // namespace

CProgramDoc::CProgramDoc(QString path, const CMemoryImage& image, QObject* parent)
    : QObject(parent), path_(std::move(path)), doc_(image), undo_(new QUndoStack(this)) {
    undo_->setUndoLimit(kUndoLimit);
    connect(undo_, &QUndoStack::indexChanged, this, &CProgramDoc::UpdateModifiedMarker);
}

CProgramDoc::~CProgramDoc() {
    // The steps refer to this document: they go first, and tell nobody.
    disconnect(undo_, nullptr, this, nullptr);
    delete undo_;
}

void CProgramDoc::SetPath(const QString& path) {
    path_ = path;
    if (frame_) frame_->setWindowTitle(Title() + QStringLiteral("[*]"));
}

QString CProgramDoc::Title() const {
    return path_.isEmpty() ? tr("无标题") : QFileInfo(path_).fileName();
}

CChildFrame* CProgramDoc::Frame() const { return static_cast<CChildFrame*>(frame_.data()); }

void CProgramDoc::Attach(CChildFrame* frame, CProgramView* view) {
    frame_ = frame;
    view_ = view;
    SetPath(path_);
}

std::shared_ptr<const CDocumentContent> CProgramDoc::Share(const CDocumentContent& content) {
    if (latest_ && *latest_ == content) return latest_;
    return std::make_shared<const CDocumentContent>(content);
}

void CProgramDoc::RecordStep(const CDocumentContent& before, const QString& text) {
    if (doc_.Content() == before) return;
    auto shared = Share(before);
    latest_ = std::make_shared<const CDocumentContent>(doc_.Content());
    undo_->push(new CContentStep(*this, std::move(shared), latest_, text));
}

void CProgramDoc::Restore(const CDocumentContent& content) {
    doc_.Restore(content);
    emit ContentRestored();
}

bool CProgramDoc::IsModified() {
    if (view_) view_->CommitOpenEditor();
    return doc_.IsModified();
}

void CProgramDoc::MarkSaved() {
    doc_.MarkSaved();
    UpdateModifiedMarker();
}

void CProgramDoc::UpdateModifiedMarker() {
    if (frame_) frame_->setWindowModified(doc_.IsModified());
}

} // namespace tarsel::ui
