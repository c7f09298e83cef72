#include "ui/dtmf/codelistpage.h"

#include "core/dtmf/dtmfstring.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/inplacegrid.h"
#include "ui/widgets/ruledit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tarsel::ui {

namespace {

constexpr int kNumberTwips = 500;
constexpr int kCodeTwips = 2500;
constexpr int kIdLength = 7;

} // namespace

CDtmfCodeListPage::CDtmfCodeListPage(CMemoryImage& image, std::string& callId, QWidget* parent)
    : CDtmfPage(parent), image_(image), callId_(callId) {
    setObjectName(QStringLiteral("136"));
    CInPlaceGrid::CBehaviour behaviour;
    behaviour.editorMaxLength = map::kDtmfCodeLength;
    behaviour.editorRule = AcceptDtmfKey;
    behaviour.enterOpensEditor = true;
    behaviour.downAfterEnter = true;
    grid_ = new CInPlaceGrid({tr("序号"), tr("编码")}, map::kDtmfCodeListRows, 0,
                             QStringLiteral("1115"), behaviour, this);
    grid_->SetColumnTwips(kNumberTwips, kCodeTwips);
    grid_->setAccessibleName(tr("编码"));

    QGridLayout* form = CentredForm();
    form->addWidget(grid_, 0, 0, 1, 2, Qt::AlignHCenter);
    ownId_ = MakeRuledEdit(QStringLiteral("1212"), kIdLength, AcceptDecimalKey, this);
    AddCaptionedRow(form, tr("自身 ID"), ownId_);
    QStringList symbols;
    for (char c : kDtmfSymbolEntries) symbols << QString(QChar::fromLatin1(c));
    separator_ = MakeChoiceList(QStringLiteral("1211"), symbols, this);
    AddCaptionedRow(form, tr("分隔符"), separator_);
    callIdEdit_ = MakeRuledEdit(QStringLiteral("1210"), kIdLength, AcceptDtmfKey, this);
    AddCaptionedRow(form, tr("呼叫ID"), callIdEdit_);
    aniCall_ = new QPushButton(tr("ANI 呼叫"), this);
    aniCall_->setObjectName(QStringLiteral("1209"));
    aniCall_->setAutoDefault(false);
    form->addWidget(aniCall_, form->rowCount(), 1);

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
