// The in-place grid of the forms' lists (DTMF codes, FM presets): a number column and a value
// column whose cells are edited in place by one hidden ruled edit laid over the current cell. The
// edit commits into its cell when it loses the focus; Enter and Escape in it hand the focus back to
// the grid, which commits.
#pragma once

#include "ui/widgets/keyfilter.h"

#include <QTableWidget>

#include <functional>

class QLineEdit;
class QTableWidgetItem;

namespace tarsel::ui {

class CInPlaceGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kNumberColumn = 0;
    static constexpr int kValueColumn = 1;

    struct CBehaviour {
        int editorMaxLength = 0;
        CKeyRule editorRule;
        std::function<QString(const QString&)> commitCorrection; // applied to a committed text
        bool enterOpensEditor = false; // Enter on the grid opens the current value cell
        bool downAfterEnter = false;   // Enter in the editor then moves to the next row
        bool numbersAreFixed = false;  // the number column never becomes the current cell
    };

    // Numbers "first" .. "first + rows - 1" in the number column.
    CInPlaceGrid(const QStringList& headers, int rows, int first, const QString& editorId,
                 CBehaviour behaviour, QWidget* parent);

    QLineEdit* Editor() const { return editor_; }
    QString ValueText(int row) const;
    void SetValueText(int row, const QString& text);
    // Column widths in twips, as the radio's other windows give them.
    void SetColumnTwips(int number, int value);

    void OpenEditor(int row);
    void CommitEditor(); // if it is open

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void FitHeightToRows();

    CBehaviour behaviour_;
    QLineEdit* editor_;
    int editRow_ = -1;
};

// A centred cell that shows a text and is never edited in place by the table itself.
QTableWidgetItem* MakeCentredCell(const QString& text);

} // namespace tarsel::ui
