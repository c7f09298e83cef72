// The page's documents: open, save, the grid's texts, cell commits, row commands, undo.
#include "web/webdocument.h"

#include <emscripten/bind.h>

using namespace emscripten;
using tarsel::web::CWebDocument;

EMSCRIPTEN_BINDINGS(document) {
    class_<CWebDocument>("Document")
        .constructor<>()
        .function("open", &CWebDocument::Open)
        .function("save", &CWebDocument::Save)
        .function("isModified", &CWebDocument::IsModified)
        .function("rowCells", &CWebDocument::RowCells)
        .function("changedRows", &CWebDocument::ChangedRows)
        .function("editColumn", &CWebDocument::EditColumn)
        .function("commitCell", &CWebDocument::CommitCell)
        .function("undo", &CWebDocument::Undo)
        .function("redo", &CWebDocument::Redo)
        .function("undoName", &CWebDocument::UndoName)
        .function("redoName", &CWebDocument::RedoName)
        .function("copyRows", &CWebDocument::CopyRows)
        .function("cutRows", &CWebDocument::CutRows)
        .function("pasteRecords", &CWebDocument::PasteRecords)
        .function("pasteText", &CWebDocument::PasteText)
        .function("clearRows", &CWebDocument::ClearRows)
        .function("insertRow", &CWebDocument::InsertRow)
        .function("deleteRows", &CWebDocument::DeleteRows)
        .function("sortRows", &CWebDocument::SortRows)
        .function("reviewCsv", &CWebDocument::ReviewCsv)
        .function("importCsv", &CWebDocument::ImportCsv)
        .function("exportCsv", &CWebDocument::ExportCsv);
}
