// The channel grid control: a table view with the keys, clicks and wheel of the channel list.
#pragma once

#include <QTableView>

namespace tarsel::ui {

class CCellEditors;

class CChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit CChannelGrid(QWidget* parent = nullptr);

    void SetEditors(CCellEditors* editors);
    // Opens the editor of the cell at index; a row without a receive frequency starts there.
    void BeginEditing(const QModelIndex& index);
    // Moves the current cell (data columns 1..8 in the core's terms).
    void MoveTo(int channel, int column);
    // The chosen cells are drawn highlighted only while the mouse is over the row labels.
    void SetHighlightSelection(bool on);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CCellEditors* editors_ = nullptr;
    bool highlight_ = true;
};

} // namespace tarsel::ui
