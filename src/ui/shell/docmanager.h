// Creates, opens, saves and closes documents, each with an image of its own. Opening a file that
// is already open shows its window again instead of reading the file a second time.
#pragma once

#include "core/image/memoryimage.h"
#include "core/image/programstate.h"
#include "core/radiolink/programfolder.h"

#include <QObject>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <vector>

namespace tarsel::ui {

class CPrompter;
class CWorkArea;
class CProgramDoc;

class CMyDocManager : public QObject {
    Q_OBJECT
public:
    CMyDocManager(CProgramState& state, CProgramFiles programFiles, CPrompter& prompter,
                  QObject* parent = nullptr);
    ~CMyDocManager() override;

    void SetMdiArea(CWorkArea* area) { area_ = area; }

    CProgramDoc* NewDocument();
    // nullptr when the file could not be read (the user was told why; no document changed).
    CProgramDoc* OpenDocumentFile(const QString& path);
    // Parses the document's list, then writes its image to path. False when it could not be
    // saved.
    bool SaveDocument(CProgramDoc* doc, const QString& path);
    // Destroys the document's window and the document.
    void CloseDocument(CProgramDoc* doc);
    // Brings a hidden window back and activates it.
    void ShowDocument(CProgramDoc* doc);

    CProgramDoc* ActiveDocument() const;
    const std::vector<std::unique_ptr<CProgramDoc>>& Documents() const { return docs_; }

    // The documents whose image differs from what was last created, opened or saved (an edit in
    // progress counts), hidden ones included, in the order they were opened.
    std::vector<CProgramDoc*> ModifiedDocuments();

    // The files last opened or saved, newest first, at most this many.
    static constexpr int kRecentFileCount = 4;
    QStringList RecentFiles() const;
    CProgramState& State() const { return state_; }

signals:
    void DocumentsChanged();
    // Ctrl+F11 in a list.
    void ServiceUnlockRequested();
    void InitialiseRequested();
    void RecentFilesChanged();

private:
    CProgramDoc* CreateDocument(const QString& path, const CMemoryImage& image);
    void AddRecentFile(const QString& path);

    CProgramState& state_;
    CProgramFiles programFiles_;
    CPrompter& prompter_;
    CWorkArea* area_ = nullptr;
    std::vector<std::unique_ptr<CProgramDoc>> docs_;
};

} // namespace tarsel::ui
