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

// The tone codes, "no tone" first, each shown in the interface's language and holding the core's
// own text. Editable, it takes whatever is typed exactly as typed (no completion, nothing added
// to the list): the tone normalisation decides what it means.
QComboBox* MakeToneBox(const QString& objectId, bool editable, QWidget* parent);
// The core's text of what a tone box shows: the entry's own text when an entry is shown (also when
// its translation was typed), else the typed text as it is.
QString ToneBoxText(const QComboBox* box);
// Shows a core tone text: its entry, in the interface's language, when the list has it.
void ShowToneText(QComboBox* box, const QString& text);

} // namespace tarsel::ui
