#include "ui/service/calibrationgrid.h"

#include "ui/widgets/coretext.h"
#include "ui/widgets/inplacegrid.h"
#include "ui/widgets/keyfilter.h"
#include "ui/widgets/stepbuttons.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

namespace tarsel::ui {

namespace {

// A row is named by its band and a caption of the core ("136-174 低功率"): only the caption is
// translated.
QString RowLabel(const std::string& label) {
    const std::size_t space = label.find(' ');
    if (space == std::string::npos) return CoreText(label);
    return QString::fromStdString(label.substr(0, space)) + CoreText(label.substr(space));
}

constexpr int kTwipsPerInch = 1440;

} // namespace

CCalibrationGridView::CCalibrationGridView(const CCalibrationGrid& grid, QWidget* parent)
    : QTableWidget(0, grid.columns, parent), grid_(grid), editor_(new QLineEdit(viewport())) {
    setObjectName(QString::number(grid.gridId));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList headers;
    for (int c = 0; c < grid.columns; ++c) headers << CoreText(grid.headers[c]);
    setHorizontalHeaderLabels(headers);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    const int dpi = logicalDpiX();
    verticalHeader()->setFixedWidth(grid.labelTwips * dpi / kTwipsPerInch);
    for (int c = 0; c < grid.columns; ++c)
        setColumnWidth(c, std::max(grid.columnTwips * dpi / kTwipsPerInch,
                                   horizontalHeader()->sectionSizeHint(c)));

    editor_->setObjectName(QString::number(grid.editorId));
    editor_->setAlignment(Qt::AlignCenter);
    CKeyRuleFilter::Install(editor_, grid.maxChars, [](char c) {
        return AcceptsCellKey(c) ? std::optional<char>(c) : std::nullopt;
    });
    buttons_ = new CStepButtons(
        editor_,
        [&grid](std::string_view text, int step) { return StepCellText(grid, text, step); },
        QString::number(grid.spinId), viewport());
    editor_->hide();
    buttons_->hide();
    editor_->installEventFilter(this);
    FitToContents();
}

void CCalibrationGridView::ShowRows(const std::vector<CGridRow>& rows,
                                    const std::vector<std::vector<std::string>>& cells) {
    editor_->hide();
    buttons_->hide();
    editRow_ = editColumn_ = -1;
    setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const CGridRow& row : rows) labels << RowLabel(row.label);
    setVerticalHeaderLabels(labels);
    // The twips width is the least; a label the font draws wider still shows whole.
    int labelWidth = grid_.labelTwips * logicalDpiX() / kTwipsPerInch;
    for (const QString& label : labels)
        labelWidth = std::max(labelWidth, fontMetrics().horizontalAdvance(label) + 10);
    verticalHeader()->setFixedWidth(labelWidth);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            setItem(r, c, MakeCentredCell(QString::fromStdString(cells[r][c])));
    FitToContents();
}

std::vector<std::vector<std::string>> CCalibrationGridView::Cells() const {
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            cells[r].push_back(item(r, c) ? item(r, c)->text().toStdString() : std::string());
    return cells;
}

void CCalibrationGridView::OpenEditor(int row, int column) {
    CommitEditor();
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    setCurrentCell(row, column);
    editRow_ = row;
    editColumn_ = column;
    QRect cell = visualRect(model()->index(row, column));
    const int arrows = 18;
    editor_->setGeometry(cell.adjusted(0, 0, -arrows, 0));
    buttons_->setGeometry(cell.right() - arrows + 1, cell.top(), arrows, cell.height());
    editor_->setText(item(row, column)->text());
    editor_->show();
    buttons_->show();
    editor_->setFocus();
    editor_->selectAll();
}

void CCalibrationGridView::CommitEditor() {
    if (editRow_ < 0 || !editor_->isVisible()) return;
    const QString text =
        QString::fromStdString(NormaliseCellText(grid_, editor_->text().toStdString()));
    if (QTableWidgetItem* cell = item(editRow_, editColumn_)) cell->setText(text);
    editRow_ = editColumn_ = -1;
    editor_->hide();
    buttons_->hide();
}

void CCalibrationGridView::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) OpenEditor(index.row(), index.column());
}

bool CCalibrationGridView::eventFilter(QObject* object, QEvent* event) {
    if (object == editor_ && event->type() == QEvent::FocusOut) CommitEditor();
    return QTableWidget::eventFilter(object, event);
}

void CCalibrationGridView::scrollContentsBy(int dx, int dy) {
    CommitEditor();
    QTableWidget::scrollContentsBy(dx, dy);
}

void CCalibrationGridView::FitToContents() {
    int width = verticalHeader()->minimumWidth() + 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c) width += columnWidth(c);
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int r = 0; r < rowCount(); ++r) height += rowHeight(r);
    setFixedSize(width, height);
}

} // namespace tarsel::ui
