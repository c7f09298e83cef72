#include "ui/channelview/programview.h"

#include "core/image/finalise.h"
#include "core/image/gridnavigation.h"
#include "ui/channelview/celleditors.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/channelprint.h"
#include "ui/editors/batchchanneldialog.h"
#include "ui/editors/channeleditdialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

// Column widths of the list, in twips: labels 600, frequencies 1500, the rest 1000.
constexpr int kLabelTwips = 600;
constexpr int kColumnTwips[kChannelColumns] = {1500, 1500, 1000, 1000, 1000,
                                               1000, 1000, 1000, 1200};

QPushButton* Button(const QString& text, const char* id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setAccessibleName(text);
    return button;
}

} // namespace

CProgramView::CProgramView(CProgramState& state, QWidget* parent)
    : QWidget(parent), state_(state), model_(new CChannelModel(state, this)),
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
    connect(editors_, &CCellEditors::EnterPressed, this,
            [this](CCellEditors::EKind kind, bool empty) { MoveAfterEnter(int(kind), empty); });
    // Ctrl+F11 anywhere in the list (F11 alone does nothing).
    auto* gate = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F11), this);
    gate->setContext(Qt::WidgetWithChildrenShortcut);
    connect(gate, &QShortcut::activated, this, &CProgramView::ServiceUnlockRequested);
    if (state_.serviceUnlocked) ShowServiceControls();
    FillFromImage();
}

CProgramView::~CProgramView() {
    // Closing the view writes the list into the image one last time.
    ParseIntoImage();
}

void CProgramView::SetColumnWidths() {
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->verticalHeader()->setFixedWidth(qRound(kLabelTwips * pixelsPerTwip) + 4);
    for (int column = 0; column < kChannelColumns; ++column)
        grid_->setColumnWidth(column, qRound(kColumnTwips[column] * pixelsPerTwip));
}

int CProgramView::PreferredGridWidth() const {
    int width = grid_->verticalHeader()->width() + grid_->frameWidth() * 2 +
                grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int column = 0; column < kChannelColumns; ++column) width += grid_->columnWidth(column);
    return width;
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
    CBatchChannelDialog dialog(
        state_, [this] { FillFromImage(); }, this);
    dialog.exec();
}

void CProgramView::OpenChannelDialog() {
    ParseIntoImage();
    const QModelIndex current = grid_->currentIndex();
    CChannelEditDialog dialog(state_, current.isValid() ? current.row() + 1 : 1, this);
    dialog.exec();
    FillFromImage();
    grid_->setFocus(Qt::OtherFocusReason);
}

void CProgramView::ShowServiceControls() { initialiseButton_->show(); }

void CProgramView::Print(QPrinter* printer) {
    editors_->CommitOpenEditor();
    PrintChannelTable(*printer, model_->Table(), windowTitle());
}

} // namespace tarsel::ui
