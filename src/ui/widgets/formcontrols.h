// The controls of a core field table, one per row: a list with the row's entries, a ruled edit with
// its length and key rule (read-only without a length) and its up/down buttons, a column as an
// in-place grid, a push button. Each is named by its control id and, for screen readers, by its
// caption in the interface's language; a hidden row's control exists but is never shown. Where
// each control sits is the form's own affair, so layouts stay with the windows.
#pragma once

#include "core/image/formfield.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/inplacegrid.h"

#include <functional>
#include <span>
#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tarsel::ui {

class CStepButtons;

// What a window adds to a column row: its grid's number column and manners. The editor's length,
// keys and commit correction are the row's.
struct CColumnLook {
    int numberTwips = 0, valueTwips = 0;
    CInPlaceGrid::CBehaviour behaviour;
};

class CFormControls {
public:
    CFormControls(std::span<const CFormField> table, QWidget* parent, CColumnLook column = {});

    QString Caption(int id) const;
    QWidget* Control(int id) const;
    QComboBox* List(int id) const;
    QLineEdit* Edit(int id) const;
    CInPlaceGrid* Column(int id) const;
    QPushButton* Button(int id) const;

    // Every list and edit shows what its slot holds; Collect reads them back into their slots.
    void Show(const std::function<CFieldSlot(int controlId)>& slotOf) const;
    void Collect(const std::function<CFieldSlot(int controlId)>& slotOf) const;

    // The row's caption at place, its control beside it with its up/down buttons.
    void AddRow(QGridLayout* grid, int id, CGridPlace place = {}) const;
    // Every shown row in table order, each under the last: captioned rows, a column across both
    // columns and centred, a button under the controls.
    void LayOut(QGridLayout* grid) const;

private:
    struct CControl {
        const CFormField* field;
        QWidget* widget;
        CStepButtons* steps = nullptr;
    };
    const CControl& Of(int id) const;

    std::vector<CControl> controls_;
};

} // namespace tarsel::ui
