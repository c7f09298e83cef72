// One calibration grid of the parameter adjustment window: a header row of column titles, a header
// column of row labels, and number cells edited in place by one hidden edit with its own up/down
// buttons, laid over the cell that was clicked. The edit commits into its cell when it loses the
// focus; the image changes only when the window stores.
#pragma once

#include "core/service/calibrationfields.h"

#include <QTableWidget>

class QLineEdit;

namespace tarsel::ui {

class CStepButtons;

class CCalibrationGridView : public QTableWidget {
    Q_OBJECT
public:
    CCalibrationGridView(const CCalibrationGrid& grid, QWidget* parent);

    // Rebuilds the rows for a layout and fills them.
    void ShowRows(const std::vector<CGridRow>& rows,
                  const std::vector<std::vector<std::string>>& cells);
    std::vector<std::vector<std::string>> Cells() const;

    QLineEdit* Editor() const { return editor_; }
    CStepButtons* EditorButtons() const { return buttons_; }
    void OpenEditor(int row, int column);
    void CommitEditor(); // if it is open

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void FitToContents();

    const CCalibrationGrid& grid_;
    QLineEdit* editor_;
    CStepButtons* buttons_;
    int editRow_ = -1;
    int editColumn_ = -1;
};

} // namespace tarsel::ui
