#include "ui/channelview/channelgrid.h"

#include "core/image/channeltable.h"
#include "core/image/gridnavigation.h"
#include "ui/channelview/celleditors.h"
#include "ui/channelview/channelmodel.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace tarsel::ui {

CChannelGrid::CChannelGrid(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("1130"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are chosen by their labels, with Shift and Ctrl as everywhere, for the row commands.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setMouseTracking(true);
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setMouseTracking(true);
    verticalHeader()->viewport()->installEventFilter(this);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    // Scrolling hands the focus back to the grid, as the list's own scroll does.
    SetHighlightSelection(false);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { setFocus(Qt::OtherFocusReason); });
    // Choosing rows by their labels is working in the grid: the keys follow.
    connect(verticalHeader(), &QHeaderView::sectionPressed, this,
            [this] { setFocus(Qt::MouseFocusReason); });
}

void CChannelGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    // A screen reader arriving in the grid reads the cell the keys act on, not the grid as a
    // whole.
    const QModelIndex current = currentIndex();
    if (!QAccessible::isActive() || !current.isValid()) return;
    // Numbered as the accessible table numbers its children: the header row and the label column
    // count whenever the grid has them.
    const int labelColumn = verticalHeader() ? 1 : 0;
    const int titleRow = horizontalHeader() ? 1 : 0;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild((current.row() + titleRow) * (model()->columnCount() + labelColumn) +
                   current.column() + labelColumn);
    QAccessible::updateAccessibility(&focus);
}

void CChannelGrid::SetEditors(CCellEditors* editors) {
    editors_ = editors;
    setItemDelegate(editors);
}

void CChannelGrid::BeginEditing(const QModelIndex& index) {
    auto* channels = qobject_cast<CChannelModel*>(model());
    if (!channels || !index.isValid()) return;
    const int channel = CChannelModel::ChannelOf(index);
    const int column = EditColumn(channels->Table().Row(channel), CChannelModel::ColumnOf(index));
    const QModelIndex target = channels->index(index.row(), column - 1);
    setCurrentIndex(target);
    edit(target);
}

void CChannelGrid::MoveTo(int channel, int column) {
    setCurrentIndex(model()->index(channel - 1, column - 1));
}

void CChannelGrid::SetHighlightSelection(bool on) {
    if (on == highlight_) return;
    highlight_ = on;
    QPalette colours = palette();
    const QPalette standard = QApplication::palette(this);
    colours.setColor(QPalette::Highlight,
                     on ? standard.color(QPalette::Highlight) : standard.color(QPalette::Base));
    colours.setColor(QPalette::HighlightedText, on ? standard.color(QPalette::HighlightedText)
                                                   : standard.color(QPalette::Text));
    setPalette(colours);
}

void CChannelGrid::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (current.isValid() && event->modifiers() == Qt::NoModifier) {
        const CGridCell cell{current.row() + 1, current.column() + 1};
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            BeginEditing(current);
            return;
        case Qt::Key_Right: {
            const CGridCell next = tarsel::MoveRight(cell);
            MoveTo(next.row, next.column);
            return;
        }
        case Qt::Key_Left: {
            const CGridCell next = tarsel::MoveLeft(cell);
            MoveTo(next.row, next.column);
            return;
        }
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void CChannelGrid::mousePressEvent(QMouseEvent* event) {
    // The context menu acts on the chosen rows: a right click on one of them keeps the choice.
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && selectionModel()->isRowSelected(index.row(), {})) return;
    }
    SetHighlightSelection(false);
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) BeginEditing(index);
}

void CChannelGrid::mouseMoveEvent(QMouseEvent* event) {
    // Chosen rows stay visible while the mouse goes to their context menu.
    if (!selectionModel()->hasSelection() || selectionModel()->selectedRows().isEmpty())
        SetHighlightSelection(false);
    QTableView::mouseMoveEvent(event);
}

void CChannelGrid::wheelEvent(QWheelEvent* event) {
    // One notch pages the list, then the usual scroll follows.
    const int delta = event->angleDelta().y();
    if (delta > 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    if (delta < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QTableView::wheelEvent(event);
}

bool CChannelGrid::eventFilter(QObject* object, QEvent* event) {
    if (object == verticalHeader()->viewport() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress))
        SetHighlightSelection(true);
    return QTableView::eventFilter(object, event);
}

} // namespace tarsel::ui
