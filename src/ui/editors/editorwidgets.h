// Small pieces the editor windows share: a typing filter that limits what can be typed without
// cutting what the program shows, spin arrows that hold no value of their own, and captioned lists.
#pragma once

#include "core/editors/channeloptions.h"

#include <array>

#include <QObject>
#include <QString>
#include <QWidget>

#include <span>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace tarsel::ui::editors {

// Swallows typed and pasted characters outside `allowed` (empty: printable ASCII) and keeps the
// typed length within maxLength (0: no limit), through the forms' key filter: unlike
// QLineEdit::setMaxLength it leaves texts set by the program whole, so a longer value read from an
// image is shown as it is, then corrected by the field's own rule.
void InstallTypingFilter(QLineEdit* edit, const QString& allowed, int maxLength);

// Up and down arrows beside a field. A click emits Stepped(+1) or Stepped(-1); the field's own
// rule decides what that does to its number.
class CSpinArrows : public QWidget {
    Q_OBJECT
public:
    CSpinArrows(int id, const QString& accessibleName, QWidget* parent);

signals:
    void Stepped(int step);
};

QString Text(const char* utf8);

// A label that is its field's buddy, the field named after it for screen readers and tests.
QLabel* Caption(const QString& text, QWidget* field);

// A drop-down list with these entries, named by its control id and its caption.
QComboBox* MakeList(int id, const QString& caption, std::span<const char* const> entries,
                    QWidget* parent);

// A line edit named by its control id and its caption.
QLineEdit* MakeEdit(int id, const QString& caption, QWidget* parent);

// Wide enough for this many digits at the current font and scaling.
void FitDigits(QLineEdit* edit, int digits);

// Caption and field side by side in a row of a grid, at the given column pair.
void AddRow(QGridLayout* grid, int row, int column, QLabel* caption, QWidget* field);

// The nine option lists both channel dialogs show, three to a column, into box; returns its grid.
QGridLayout* AddChannelOptionLists(QGroupBox* box,
                                   std::array<QComboBox*, kChannelOptionCount>& lists);

} // namespace tarsel::ui::editors
