#include "ui/widgets/inplacegrid.h"

#include "ui/widgets/ruledit.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarsel::ui {

namespace {

constexpr int kTwipsPerInch = 1440;

} // namespace

QTableWidgetItem* MakeCentredCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

CInPlaceGrid::CInPlaceGrid(const QStringList& headers, int rows, int first, const QString& editorId,
                           CBehaviour behaviour, QWidget* parent)
    : QTableWidget(rows, 2, parent), behaviour_(std::move(behaviour)),
      editor_(
          MakeRuledEdit(editorId, behaviour_.editorMaxLength, behaviour_.editorRule, viewport())) {
    setObjectName(QStringLiteral("1130"));
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < rows; ++row) {
        setItem(row, kNumberColumn, MakeCentredCell(QString::number(first + row)));
        setItem(row, kValueColumn, MakeCentredCell(QString()));
    }
    editor_->setAlignment(Qt::AlignCenter);
    editor_->setFrame(false);
    editor_->setAccessibleName(headers.value(kValueColumn));
    editor_->hide();
    editor_->installEventFilter(this);
    setCurrentCell(0, kValueColumn);
    FitHeightToRows();
}

QString CInPlaceGrid::ValueText(int row) const { return item(row, kValueColumn)->text(); }

void CInPlaceGrid::SetValueText(int row, const QString& text) {
    item(row, kValueColumn)->setText(text);
}

void CInPlaceGrid::SetColumnTwips(int number, int value) {
    const int dpi = logicalDpiX();
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin);
    const auto width = [&](int column, int twips) {
        const int least = fontMetrics().horizontalAdvance(horizontalHeaderItem(column)->text());
        return std::max(twips * dpi / kTwipsPerInch, least + 2 * margin);
    };
    setColumnWidth(kNumberColumn, width(kNumberColumn, number));
    setColumnWidth(kValueColumn, width(kValueColumn, value));
    setFixedWidth(columnWidth(kNumberColumn) + columnWidth(kValueColumn) + 2 * frameWidth());
}

// Every row stays in sight, so the editor never has to follow a scroll.
void CInPlaceGrid::FitHeightToRows() {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setFixedHeight(horizontalHeader()->sizeHint().height() +
                   rowCount() * verticalHeader()->defaultSectionSize() + 2 * frameWidth());
}

void CInPlaceGrid::OpenEditor(int row) {
    if (row < 0 || row >= rowCount()) return;
    CommitEditor();
    setCurrentCell(row, kValueColumn);
    editRow_ = row;
    editor_->setGeometry(visualItemRect(item(row, kValueColumn)));
    editor_->setText(ValueText(row));
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
}

void CInPlaceGrid::CommitEditor() {
    if (!editor_->isVisible() || editRow_ < 0) return;
    QString text = editor_->text();
    if (behaviour_.commitCorrection) text = behaviour_.commitCorrection(text);
    SetValueText(editRow_, text);
    editRow_ = -1;
    editor_->hide();
}

void CInPlaceGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    if (index.column() == kValueColumn || behaviour_.numbersAreFixed) OpenEditor(index.row());
}

void CInPlaceGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (behaviour_.enterOpensEditor && currentColumn() == kValueColumn)
            OpenEditor(currentRow());
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

void CInPlaceGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (behaviour_.numbersAreFixed && current.isValid() && current.column() == kNumberColumn) {
        setCurrentCell(current.row(), kValueColumn);
        return;
    }
    QTableWidget::currentChanged(current, previous);
}

bool CInPlaceGrid::eventFilter(QObject* object, QEvent* event) {
    if (object == editor_) {
        if (event->type() == QEvent::FocusOut && editor_->isVisible()) {
            CommitEditor();
        } else if (IsEnterOrEscape(event)) {
            const bool enter = static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape;
            setFocus(Qt::OtherFocusReason); // which commits
            if (enter && behaviour_.downAfterEnter)
                QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, {}));
            return true;
        }
    }
    return QTableWidget::eventFilter(object, event);
}

} // namespace tarsel::ui
