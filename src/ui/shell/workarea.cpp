#include "ui/shell/workarea.h"

#include <QMdiSubWindow>
#include <QResizeEvent>

#include <algorithm>

namespace tarsel::ui {

namespace {

// What the area set last, so that a size the user chose is told apart and kept.
constexpr const char* kPlacedSize = "tarselPlacedSize";
constexpr int kCascadeStep = 24;

} // namespace

CWorkArea::CWorkArea(QWidget* parent) : QMdiArea(parent) {
    // A window dragged partly out of sight can still be scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CWorkArea::AddWindow(QMdiSubWindow* window) {
    // Below and to the right of the newest visible window, starting again at the corner when
    // the cascade would leave the area.
    QPoint at(0, 0);
    const QList<QMdiSubWindow*> windows = subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->isHidden() || (*it)->isMaximized()) continue;
        at = (*it)->pos() + QPoint(kCascadeStep, kCascadeStep);
        break;
    }
    addSubWindow(window);
    const QSize wanted = window->sizeHint();
    // An area not shown yet has no size of its own; it fits its windows once it has.
    const bool laidOut = isVisible();
    if (laidOut && (at.x() + wanted.width() > viewport()->width() ||
                    at.y() + wanted.height() > viewport()->height()))
        at = QPoint(0, 0);
    window->setGeometry(QRect(at, wanted));
    window->setProperty(kPlacedSize, wanted);
    if (laidOut) Fit(window);
    window->show();
    setActiveSubWindow(window);
}

void CWorkArea::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    for (QMdiSubWindow* window : subWindowList())
        if (!window->isMaximized() && !window->isMinimized()) Fit(window);
}

void CWorkArea::Fit(QMdiSubWindow* window) {
    const QSize room = viewport()->size();
    if (room.isEmpty()) return;
    const bool placedHere = window->property(kPlacedSize).toSize() == window->size();
    const QSize wanted = placedHere ? window->sizeHint() : window->size();
    const QSize size = wanted.boundedTo(room).expandedTo(window->minimumSizeHint().boundedTo(room));
    const QPoint at(std::clamp(window->x(), 0, room.width() - size.width()),
                    std::clamp(window->y(), 0, room.height() - size.height()));
    window->setGeometry(QRect(at, size));
    if (placedHere) window->setProperty(kPlacedSize, size);
}

} // namespace tarsel::ui
