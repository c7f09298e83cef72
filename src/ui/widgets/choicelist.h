// The choice list: a drop-down list named by its control id. And the tone box, the one list of
// tone codes every channel editor shows.
#pragma once

#include <QStringList>

#include <span>

class QComboBox;
class QWidget;

namespace tarsel::ui {

// No entry chosen until the window shows its values.
QComboBox* MakeChoiceList(const QString& objectId, const QStringList& entries, QWidget* parent);

// UTF-8 entry texts of a core table.
QStringList Entries(std::span<const char* const> entries);

// The tone codes, "OFF" first. Editable, it takes whatever is typed exactly as typed (no
// completion, nothing added to the list): the tone normalisation decides what it means.
QComboBox* MakeToneBox(const QString& objectId, bool editable, QWidget* parent);

} // namespace tarsel::ui
