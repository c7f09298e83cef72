// Creates, opens, saves and closes documents. Opening a file that is already open shows its
// window again instead of reading the file a second time.
#pragma once

#include "core/image/memoryimage.h"
#include "core/image/programstate.h"
#include "core/radiolink/programfolder.h"

#include <QObject>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <vector>

class QMdiArea;

namespace tarsel::ui {

class CPrompter;
class CProgramDoc;

class CMyDocManager : public QObject {
    Q_OBJECT
public:
    CMyDocManager(CProgramState& state, CProgramFiles programFiles, CPrompter& prompter,
                  QObject* parent = nullptr);
    ~CMyDocManager() override;

    void SetMdiArea(QMdiArea* area) { area_ = area; }

    CProgramDoc* NewDocument();
    // nullptr when the file could not be read (the user was told why; the image is unchanged).
    CProgramDoc* OpenDocumentFile(const QString& path);
    // Parses the list, then writes the image to path. False when it could not be saved.
    bool SaveDocument(CProgramDoc* doc, const QString& path);
    // Destroys the document's window and the document.
    void CloseDocument(CProgramDoc* doc);
    // Brings a hidden window back and activates it.
    void ShowDocument(CProgramDoc* doc);

    CProgramDoc* ActiveDocument() const;
    const std::vector<std::unique_ptr<CProgramDoc>>& Documents() const { return docs_; }

    // Whether the image differs from what was last created, opened or saved (the active list is
    // parsed first, so an edit in progress counts).
    bool HasUnsavedWork();

    QStringList RecentFiles() const;
    // After anything changed the image from outside the lists.
    void RefillAllViews();
    CProgramState& State() const { return state_; }

signals:
    void DocumentsChanged();
    // Ctrl+F11 in a list.
    void ServiceUnlockRequested();
    void InitialiseRequested();
    void RecentFilesChanged();

private:
    CProgramDoc* CreateDocument(const QString& path);
    void TakeSnapshot();
    void AddRecentFile(const QString& path);

    CProgramState& state_;
    CProgramFiles programFiles_;
    CPrompter& prompter_;
    QMdiArea* area_ = nullptr;
    std::vector<std::unique_ptr<CProgramDoc>> docs_;
    CMemoryImage snapshot_;
};

} // namespace tarsel::ui
