// A document: a data file shown in a channel list. It owns its image, band limits and grid texts
// (core CDocument) and its undo history: every change is recorded as one step holding the whole
// content before and after, so undoing it is exact whatever the change was.
#pragma once

#include "core/document/document.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QUndoStack;

namespace tarsel::ui {

class CChildFrame;
class CProgramView;

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    CProgramDoc(QString path, const CMemoryImage& image, QObject* parent = nullptr);
    ~CProgramDoc() override;

    const QString& Path() const { return path_; }
    void SetPath(const QString& path);
    // The file name, or "无标题" for a document never saved.
    QString Title() const;

    CChildFrame* Frame() const;
    CProgramView* View() const { return view_; }
    void Attach(CChildFrame* frame, CProgramView* view);

    CDocument& Document() { return doc_; }
    QUndoStack* UndoStack() const { return undo_; }

    // The change from `before` to what the document holds now becomes one undo step named text;
    // no step when nothing changed.
    void RecordStep(const CDocumentContent& before, const QString& text);
    // Undo and redo put a whole content back.
    void Restore(const CDocumentContent& content);

    // Parses the grid (an edit in progress included) and tells whether saving would change the
    // file.
    bool IsModified();
    // After the image was written to path.
    void MarkSaved();
    // The window title's modified marker follows the document.
    void UpdateModifiedMarker();

signals:
    // The grid texts were replaced wholesale (undo, redo): lists show them again.
    void ContentRestored();

private:
    std::shared_ptr<const CDocumentContent> Share(const CDocumentContent& content);

    QString path_;
    CDocument doc_;
    QUndoStack* undo_;
    // The content after the newest step: the next step's "before" is usually the same, and
    // sharing it halves what the history holds.
    std::shared_ptr<const CDocumentContent> latest_;
    // The window may go first when the program shuts down.
    QPointer<QWidget> frame_;
    CProgramView* view_ = nullptr;
};

} // namespace tarsel::ui
