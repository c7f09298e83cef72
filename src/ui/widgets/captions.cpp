#include "ui/widgets/captions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace tarsel::ui {

QLabel* Caption(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
}

void AddCaptionedRow(QGridLayout* grid, const QString& caption, QWidget* field, QWidget* extra,
                     CGridPlace place) {
    const int row = place.row < 0 ? grid->rowCount() : place.row;
    grid->addWidget(Caption(caption, field), row, place.column);
    if (!extra) {
        grid->addWidget(field, row, place.column + 1);
        return;
    }
    extra->setAccessibleName(caption);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(field);
    pair->addWidget(extra);
    grid->addLayout(pair, row, place.column + 1);
}

} // namespace tarsel::ui
