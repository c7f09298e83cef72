#include "ui/dtmf/codelistpage.h"

#include "ui/widgets/inplacegrid.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tarsel::ui {

namespace {

// The codes' grid: numbered from 0, Enter opens a code and, typed, moves on to the next.
CColumnLook CodeColumn() {
    CColumnLook look;
    look.numberTwips = 500;
    look.valueTwips = 2500;
    look.behaviour.enterOpensEditor = true;
    look.behaviour.downAfterEnter = true;
    return look;
}

} // namespace

CDtmfCodeListPage::CDtmfCodeListPage(CMemoryImage& image, std::string& callId, QWidget* parent)
    : CDtmfPage(parent), image_(image), callId_(callId),
      controls_(DtmfCodeListFieldTable(), this, CodeColumn()), grid_(controls_.Column(1115)),
      ownId_(controls_.Edit(1212)), separator_(controls_.List(1211)),
      callIdEdit_(controls_.Edit(1210)), aniCall_(controls_.Button(1209)) {
    setObjectName(QStringLiteral("136"));
    controls_.LayOut(CentredForm());

    ownId_->installEventFilter(this);
    separator_->installEventFilter(this);
    connect(separator_, &QComboBox::currentIndexChanged, this, [this] {
        CDtmfCodeListFields fields = Fields();
        ChangeSeparator(fields, memory_);
        Show(fields);
    });
    connect(aniCall_, &QPushButton::clicked, this, &CDtmfCodeListPage::ComposeAniCall);
    LoadFields();
}

CDtmfCodeListFields CDtmfCodeListPage::Fields() const {
    CDtmfCodeListFields fields;
    for (std::size_t row = 0; row < fields.codes.size(); ++row)
        fields.codes[row] = grid_->ValueText(static_cast<int>(row)).toStdString();
    fields.separatorIndex = separator_->currentIndex();
    fields.ownId = ownId_->text().toStdString();
    fields.callId = callIdEdit_->text().toStdString();
    return fields;
}

void CDtmfCodeListPage::Show(const CDtmfCodeListFields& fields) {
    for (std::size_t row = 0; row < fields.codes.size(); ++row)
        grid_->SetValueText(static_cast<int>(row), QString::fromStdString(fields.codes[row]));
    {
        const QSignalBlocker quiet(separator_); // showing a value is no change of it
        separator_->setCurrentIndex(fields.separatorIndex);
    }
    ownId_->setText(QString::fromStdString(fields.ownId));
    callIdEdit_->setText(QString::fromStdString(fields.callId));
}

void CDtmfCodeListPage::LoadFields() {
    if (isVisible()) grid_->setFocus(Qt::OtherFocusReason);
    Show(LoadDtmfCodeList(image_, callId_, memory_));
}

void CDtmfCodeListPage::StoreFields() {
    grid_->CommitEditor();
    StoreDtmfCodeList(Fields(), image_, callId_);
}

void CDtmfCodeListPage::ComposeAniCall() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return;
    // Into whichever cell is current: one in the number column is shown, never stored.
    grid_->item(current.row(), current.column())
        ->setText(QString::fromStdString(AniCallText(Fields())));
}

bool CDtmfCodeListPage::eventFilter(QObject* object, QEvent* event) {
    // A list's own drop-down taking the focus for a moment is no focus change of the page's.
    const bool in = event->type() == QEvent::FocusIn &&
                    static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
    const bool out = event->type() == QEvent::FocusOut;
    if (object == separator_ && in) {
        RememberSeparator(Fields(), memory_);
    } else if (object == ownId_ && in) {
        RememberOwnId(Fields(), memory_);
    } else if (object == ownId_ && out) {
        CDtmfCodeListFields fields = Fields();
        LeaveOwnId(fields, memory_);
        Show(fields);
    }
    return CDtmfPage::eventFilter(object, event);
}

} // namespace tarsel::ui
