#include "ui/channelview/programview.h"

#include "core/image/finalise.h"
#include "core/image/gridnavigation.h"
#include "ui/channelview/celleditors.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/channelprint.h"
#include "ui/editors/batchchanneldialog.h"
#include "ui/editors/channeleditdialog.h"
#include "ui/shell/programdoc.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMimeData>

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tarsel::ui {

namespace {

// Whole records on the clipboard, for a byte-exact paste into any document of any running copy.
const QString kRecordsMimeType = QStringLiteral("application/x-tarsel-channel-records");

// Column widths of the list, in twips: labels 600, frequencies 1500, the rest 1000.
constexpr int kLabelTwips = 600;
constexpr int kColumnTwips[kChannelColumns] = {1500, 1500, 1000, 1000, 1000,
                                               1000, 1000, 1000, 1200};

QPushButton* Button(const QString& text, const char* id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setAccessibleName(text);
    // A click leaves the keyboard in the grid, so it is there again when the button's dialog
    // closes; Tab still reaches the button.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

CProgramView::CProgramView(CProgramDoc& doc, CProgramState& state, QWidget* parent)
    : QWidget(parent), doc_(doc), state_(state), model_(new CChannelModel(doc, this)),
      editors_(new CCellEditors(this)), grid_(new CChannelGrid(this)) {
    grid_->setModel(model_);
    grid_->SetEditors(editors_);
    grid_->setAccessibleName(tr("信道信息"));

    auto* radioLabel = new QLabel(tr("收音机"), this);
    variants_ = new QComboBox(this);
    variants_->setObjectName(QStringLiteral("1134"));
    variants_->addItems({QStringLiteral("4617HE"), QStringLiteral("4617N")});
    variants_->setCurrentIndex(kProgramVariant);
    radioLabel->setBuddy(variants_);
    variants_->setAccessibleName(radioLabel->text());
    // The variant list is never shown: the program always writes the second variant's table.
    radioLabel->hide();
    variants_->hide();

    batchButton_ = Button(tr("批量生成"), "1237", this);
    channelButton_ = Button(tr("信道编辑"), "1133", this);
    initialiseButton_ = Button(tr("初始化"), "1132", this);
    initialiseButton_->hide();
    connect(batchButton_, &QPushButton::clicked, this, &CProgramView::OpenBatchDialog);
    connect(channelButton_, &QPushButton::clicked, this, &CProgramView::OpenChannelDialog);
    connect(initialiseButton_, &QPushButton::clicked, this, &CProgramView::InitialiseRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(radioLabel);
    buttons->addWidget(variants_);
    buttons->addStretch(1);
    buttons->addWidget(batchButton_);
    buttons->addWidget(channelButton_);
    buttons->addWidget(initialiseButton_);
    // The form is as wide as the grid's columns, with the buttons over the grid's right end;
    // a wider window leaves the space to the right empty.
    auto* formWidget = new QWidget(this);
    auto* form = new QVBoxLayout(formWidget);
    form->setContentsMargins(0, 0, 0, 0);
    form->addLayout(buttons);
    form->addWidget(grid_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(formWidget, 1);
    layout->addStretch(0);

    SetColumnWidths();
    formWidget->setMaximumWidth(PreferredGridWidth());
    // The keyboard belongs to the grid: whatever gives the list window the focus gives it to the
    // grid, and Tab goes from the grid to the buttons.
    setFocusProxy(grid_);
    setTabOrder(grid_, batchButton_);
    setTabOrder(batchButton_, channelButton_);
    setTabOrder(channelButton_, initialiseButton_);
    connect(editors_, &CCellEditors::EnterPressed, this,
            [this](CCellEditors::EKind kind, bool empty) { MoveAfterEnter(int(kind), empty); });
    // Ctrl+F11 anywhere in the list (F11 alone does nothing).
    auto* gate = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F11), this);
    gate->setContext(Qt::WidgetWithChildrenShortcut);
    connect(gate, &QShortcut::activated, this, &CProgramView::ServiceUnlockRequested);
    if (state_.serviceUnlocked) ShowServiceControls();
    connect(&doc_, &CProgramDoc::ContentRestored, this, [this] {
        editors_->CommitOpenEditor();
        model_->ShowTable();
    });
    FillFromImage();
}

CProgramView::~CProgramView() = default;

void CProgramView::SetColumnWidths() {
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->verticalHeader()->setFixedWidth(qRound(kLabelTwips * pixelsPerTwip) + 4);
    // The twips width is the least; a longer (translated) title widens its column.
    QHeaderView* titles = grid_->horizontalHeader();
    for (int column = 0; column < kChannelColumns; ++column)
        grid_->setColumnWidth(column, std::max(qRound(kColumnTwips[column] * pixelsPerTwip),
                                               titles->sectionSizeHint(column)));
}

int CProgramView::PreferredGridWidth() const {
    int width = grid_->verticalHeader()->width() + grid_->frameWidth() * 2 +
                grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int column = 0; column < kChannelColumns; ++column) width += grid_->columnWidth(column);
    return width;
}

QSize CProgramView::sizeHint() const {
    constexpr int kRowsShown = 24;
    const QMargins margins = layout()->contentsMargins();
    const int grid = grid_->horizontalHeader()->sizeHint().height() +
                     kRowsShown * grid_->verticalHeader()->defaultSectionSize() +
                     grid_->frameWidth() * 2 +
                     grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {PreferredGridWidth() + margins.left() + margins.right(),
            batchButton_->sizeHint().height() + layout()->spacing() + grid + margins.top() +
                margins.bottom()};
}

void CProgramView::FillFromImage() {
    const QModelIndex current = grid_->currentIndex();
    editors_->CommitOpenEditor();
    model_->FillFromImage();
    grid_->setCurrentIndex(current.isValid() ? model_->index(current.row(), current.column())
                                             : model_->index(0, 0));
}

void CProgramView::ParseIntoImage() {
    editors_->CommitOpenEditor();
    model_->ParseIntoImage();
}

void CProgramView::CommitOpenEditor() { editors_->CommitOpenEditor(); }

void CProgramView::MoveAfterEnter(int kind, bool textEmpty) {
    // Like the keys the list posts to itself: the editor has committed, then the move happens.
    QTimer::singleShot(0, this, [this, kind, textEmpty] {
        const QModelIndex current = grid_->currentIndex();
        if (!current.isValid()) return;
        const CGridCell cell{current.row() + 1, current.column() + 1};
        const CGridCell next = kind == int(CCellEditors::EKind::Frequency)
                                   ? AfterFrequencyEnter(cell, textEmpty)
                                   : MoveRight(cell);
        grid_->setFocus(Qt::OtherFocusReason);
        grid_->MoveTo(next.row, next.column);
    });
}

void CProgramView::OpenBatchDialog() {
    // Edits still only in the list reach the image first: each apply refills the list from the
    // image, which would otherwise drop them.
    ParseIntoImage();
    CDocumentContent before = doc_.Document().Content();
    // Each apply is a step of its own.
    CBatchChannelDialog dialog(
        doc_.Document(),
        [this, &before] {
            FillFromImage();
            doc_.RecordStep(before, tr("批量生成"));
            before = doc_.Document().Content();
        },
        this);
    dialog.exec();
}

void CProgramView::OpenChannelDialog() {
    ParseIntoImage();
    const CDocumentContent before = doc_.Document().Content();
    const QModelIndex current = grid_->currentIndex();
    CChannelEditDialog dialog(doc_.Document(), current.isValid() ? current.row() + 1 : 1, this);
    dialog.exec();
    FillFromImage();
    doc_.RecordStep(before, tr("信道编辑"));
    grid_->setFocus(Qt::OtherFocusReason);
}

int CProgramView::CurrentChannel() const {
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? CChannelModel::ChannelOf(current) : 1;
}

std::vector<int> CProgramView::SelectedChannels() const {
    std::vector<int> channels;
    for (const QModelIndex& row : grid_->selectionModel()->selectedRows())
        channels.push_back(CChannelModel::ChannelOf(row));
    std::sort(channels.begin(), channels.end());
    if (channels.empty()) channels.push_back(CurrentChannel());
    return channels;
}

ERowEditOutcome CProgramView::EditRows(const QString& text,
                                       const std::function<ERowEditOutcome()>& edit) {
    editors_->CommitOpenEditor();
    const CDocumentContent before = doc_.Document().Content();
    const ERowEditOutcome outcome = edit();
    if (outcome == ERowEditOutcome::Done) {
        model_->ShowTable();
        doc_.RecordStep(before, text);
    }
    return outcome;
}

ERowEditOutcome CProgramView::CopyRows() {
    editors_->CommitOpenEditor();
    const std::vector<int> channels = SelectedChannels();
    const auto records = CopyChannelRecords(doc_.Document(), channels);
    auto* data = new QMimeData;
    const std::string bytes = RecordsToBytes(records);
    data->setData(kRecordsMimeType, QByteArray(bytes.data(), qsizetype(bytes.size())));
    data->setText(QString::fromStdString(ChannelRowsText(doc_.Document().Table(), channels)));
    QApplication::clipboard()->setMimeData(data);
    return ERowEditOutcome::Done;
}

ERowEditOutcome CProgramView::CutRows() {
    const std::vector<int> channels = SelectedChannels();
    if (!std::all_of(channels.begin(), channels.end(), IsMemoryChannel))
        return ERowEditOutcome::NotMemoryChannels;
    CopyRows();
    return EditRows(tr("剪切"), [&] { return ClearChannelRows(doc_.Document(), channels); });
}

ERowEditOutcome CProgramView::PasteRows() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data) return ERowEditOutcome::NothingToPaste;
    const int first = CurrentChannel();
    if (data->hasFormat(kRecordsMimeType)) {
        const QByteArray bytes = data->data(kRecordsMimeType);
        if (auto records = RecordsFromBytes(std::string_view(bytes.constData(), bytes.size())))
            return EditRows(tr("粘贴"),
                            [&] { return PasteChannelRecords(doc_.Document(), first, *records); });
    }
    const std::string text = data->text().toStdString();
    return EditRows(tr("粘贴"), [&] { return PasteChannelText(doc_.Document(), first, text); });
}

ERowEditOutcome CProgramView::ClearRows() {
    const std::vector<int> channels = SelectedChannels();
    return EditRows(tr("清除"), [&] { return ClearChannelRows(doc_.Document(), channels); });
}

ERowEditOutcome CProgramView::InsertRow() {
    const int channel = CurrentChannel();
    return EditRows(tr("插入空信道"),
                    [&] { return InsertEmptyChannelRow(doc_.Document(), channel); });
}

ERowEditOutcome CProgramView::DeleteRows() {
    const std::vector<int> channels = SelectedChannels();
    return EditRows(tr("删除并上移"), [&] { return DeleteChannelRows(doc_.Document(), channels); });
}

ERowEditOutcome CProgramView::SortRows() {
    const std::vector<int> channels = SelectedChannels();
    return EditRows(tr("按接收频率排序"),
                    [&] { return SortChannelRowsByReceive(doc_.Document(), channels); });
}

void CProgramView::SetContextActions(const QList<QAction*>& actions) {
    grid_->addActions(actions);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CProgramView::ShowServiceControls() { initialiseButton_->show(); }

void CProgramView::Print(QPrinter* printer) {
    editors_->CommitOpenEditor();
    PrintChannelTable(*printer, model_->Table(), windowTitle());
}

} // namespace tarsel::ui
