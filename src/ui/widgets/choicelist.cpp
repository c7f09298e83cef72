#include "ui/widgets/choicelist.h"
#include "ui/widgets/coretext.h"

#include "core/image/tone.h"

#include <QComboBox>

namespace tarsel::ui {

QComboBox* MakeChoiceList(const QString& objectId, const QStringList& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectId);
    list->addItems(entries);
    list->setCurrentIndex(-1);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QStringList Entries(std::span<const char* const> entries) {
    QStringList texts;
    for (const char* entry : entries) texts << CoreText(entry);
    return texts;
}

QComboBox* MakeToneBox(const QString& objectId, bool editable, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectId);
    box->setMaxVisibleItems(16);
    for (const std::string& tone : ToneList())
        box->addItem(CoreText(tone), QString::fromStdString(tone));
    if (editable) {
        box->setEditable(true);
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    return box;
}

QString ToneBoxText(const QComboBox* box) {
    const QString shown = box->currentText();
    const int entry = box->findText(shown, Qt::MatchFixedString);
    return entry >= 0 ? box->itemData(entry).toString() : shown;
}

void ShowToneText(QComboBox* box, const QString& text) {
    const int entry = box->findData(text);
    box->setCurrentIndex(entry);
    if (box->isEditable()) box->setEditText(entry >= 0 ? box->itemText(entry) : text);
}

} // namespace tarsel::ui
