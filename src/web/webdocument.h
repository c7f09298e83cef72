// A document as the page holds it: the core's document, its undo history, and the grid texts the
// page shows now (so the page repaints only the rows an operation changed). Every operation is
// the core's; this class only records each change as one undo step, as the desktop's document
// does.
#pragma once

#include "core/document/channelrowedits.h"
#include "core/document/document.h"
#include "core/document/history.h"

#include <emscripten/val.h>

#include <string>
#include <vector>

namespace tarsel::web {

class CWebDocument {
public:
    // The new-document image: a page has no program folder, so the built-in image.
    CWebDocument();

    // Replaces the content with a data file's bytes; the history starts afresh. Returns the
    // reason when the bytes are no data file (the document is then unchanged), else "".
    std::string Open(const emscripten::val& bytes, const std::string& name);
    // What saving writes: the grid parsed into the image, with the finalisation. The document
    // counts as saved from then on.
    emscripten::val Save();
    bool IsModified() const { return doc_.IsModified(); }

    // The nine cell texts of channel 1..258.
    emscripten::val RowCells(int channel) const;
    // Channels whose texts changed since the last call (or since the page last read them all).
    emscripten::val ChangedRows();
    // The column an edit on (channel, column) really opens on.
    int EditColumn(int channel, int column) const;
    // Commits text into a cell as its in-place editor does; one undo step named stepName.
    void CommitCell(int channel, int column, const std::string& text, const std::string& stepName);

    bool Undo() { return history_.Undo(doc_); }
    bool Redo() { return history_.Redo(doc_); }
    std::string UndoName() const { return history_.UndoName(); }
    std::string RedoName() const { return history_.RedoName(); }

    // Row commands: channels as a JS array of numbers; the outcome as ERowEditOutcome's value.
    // Copy gives {text, records}: the clipboard text and the records' bytes; cut gives the same
    // and {outcome}.
    emscripten::val CopyRows(const emscripten::val& channels) const;
    emscripten::val CutRows(const emscripten::val& channels, const std::string& stepName);
    int PasteRecords(int first, const emscripten::val& bytes, const std::string& stepName);
    int PasteText(int first, const std::string& text, const std::string& stepName);
    int ClearRows(const emscripten::val& channels, const std::string& stepName);
    int InsertRow(int channel, const std::string& stepName);
    int DeleteRows(const emscripten::val& channels, const std::string& stepName);
    int SortRows(const emscripten::val& channels, const std::string& stepName);

    // Channel lists: what an import would do with these options, doing it (one step), and the
    // list of the document as it would be saved.
    // The list comes as the file's bytes (Uint8Array).
    emscripten::val ReviewCsv(const emscripten::val& bytes, const emscripten::val& options);
    bool ImportCsv(const emscripten::val& bytes, const emscripten::val& options,
                   const std::string& stepName);
    std::string ExportCsv();

    CDocument& Document() { return doc_; }
    // The change from before to now as one undo step (for tools that change the document
    // through Document()).
    void RecordStep(const CDocumentContent& before, const std::string& stepName) {
        history_.Record(before, doc_, stepName);
    }

private:
    template <typename Edit> int EditRows(const std::string& stepName, Edit edit);

    CDocument doc_;
    CDocumentHistory history_;
    CChannelTable shown_;
};

std::vector<int> IntsOf(const emscripten::val& array);
std::vector<uint8_t> BytesOf(const emscripten::val& array);
emscripten::val Uint8ArrayOf(std::span<const uint8_t> bytes);

} // namespace tarsel::web
