#include "core/document/history.h"
#include "core/image/datafile.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

void TypeRx(CDocument& doc, CDocumentHistory& history, const std::string& text) {
    const CDocumentContent before = doc.Content();
    CommitCellEdit(doc.Table().Row(1), 1, kColumnRx, text, doc.Limits(), doc.Image());
    history.Record(before, doc, "A 001 " + text);
}

TEST(DocumentHistory, UndoAndRedoPutWholeContentsBackAndANewStepDropsTheUndoneOnes) {
    CDocument doc(BuildDefaultImage());
    CDocumentHistory history(2);
    const CDocumentContent start = doc.Content();
    TypeRx(doc, history, "145");
    TypeRx(doc, history, "145");
    EXPECT_EQ(history.Size(), 1u) << "no step without a change";
    const CDocumentContent first = doc.Content();
    TypeRx(doc, history, "146");
    EXPECT_EQ(history.UndoName(), "A 001 146");

    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(doc.Content(), first);
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(doc.Content(), start); // the record reset of the first frequency is undone too
    EXPECT_FALSE(history.Undo(doc));
    ASSERT_TRUE(history.Redo(doc));
    EXPECT_EQ(doc.Content(), first);
    EXPECT_EQ(history.RedoName(), "A 001 146");

    TypeRx(doc, history, "147");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Size(), 2u);
    TypeRx(doc, history, "148"); // past the limit: the oldest step goes
    ASSERT_TRUE(history.Undo(doc));
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(doc.Table().Row(1)[kColumnRx], "145.00000");
    EXPECT_FALSE(history.CanUndo());
}

} // namespace
} // namespace tarsel
