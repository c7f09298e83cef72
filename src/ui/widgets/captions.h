// Captions: each label is the buddy of its field, and the field is named after it, so screen
// readers, GUI automation and tests find a field by the text a user sees beside it.
#pragma once

class QGridLayout;
class QLabel;
class QString;
class QWidget;

namespace tarsel::ui {

QLabel* Caption(const QString& text, QWidget* field);

// Where a caption goes in a grid: row -1 is the row after the last one.
struct CGridPlace {
    int row = -1;
    int column = 0;
};

// The caption at place, the field in the next column; an extra widget (up/down buttons) goes tight
// beside the field and is found by the same caption.
void AddCaptionedRow(QGridLayout* grid, const QString& caption, QWidget* field,
                     QWidget* extra = nullptr, CGridPlace place = {});

} // namespace tarsel::ui
