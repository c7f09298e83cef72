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
    for (const std::string& tone : ToneList()) box->addItem(QString::fromStdString(tone));
    if (editable) {
        box->setEditable(true);
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    return box;
}

} // namespace tarsel::ui
