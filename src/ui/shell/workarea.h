// The area the list windows live in. A window opens at the size its list wants, cascaded below the
// last one, and never reaches past the area's edges: when the area is too small for it, it is made
// smaller and its list scrolls.
#pragma once

#include <QMdiArea>

namespace tarsel::ui {

class CWorkArea : public QMdiArea {
    Q_OBJECT
public:
    explicit CWorkArea(QWidget* parent = nullptr);

    // Adds the window, shows it and makes it the active one.
    void AddWindow(QMdiSubWindow* window);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Moves and, where it must, shrinks the window into the area. A window that was sized here
    // grows back towards its wanted size when the area grows; one the user sized keeps its size.
    void Fit(QMdiSubWindow* window);
};

} // namespace tarsel::ui
