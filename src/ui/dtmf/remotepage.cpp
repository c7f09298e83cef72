#include "ui/dtmf/remotepage.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/memorymap.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/ruledit.h"
#include "ui/widgets/stepbuttons.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tarsel::ui {

namespace {

QStringList SymbolEntries() {
    QStringList texts;
    for (char c : kDtmfSymbolEntries) texts << QString(QChar::fromLatin1(c));
    return texts;
}

constexpr int kKillCodeMaxLength = map::kDtmfKillCodeLength - 1; // room for the end mark

} // namespace

CDtmfRemotePage::CDtmfRemotePage(CMemoryImage& image, QWidget* parent)
    : CDtmfPage(parent), image_(image) {
    setObjectName(QStringLiteral("212"));
    QGridLayout* form = CentredForm();
    groupCall_ = MakeChoiceList(QStringLiteral("1104"), SymbolEntries(), this);
    AddCaptionedRow(form, tr("组呼码"), groupCall_);
    killEnabled_ = MakeChoiceList(QStringLiteral("1106"), {tr("开"), tr("关")}, this);
    AddCaptionedRow(form, tr("遥毙激活"), killEnabled_);
    killType_ = MakeChoiceList(QStringLiteral("1107"),
                               {tr("关"), tr("禁止发射"), tr("禁止收发"), tr("遥毙")}, this);
    AddCaptionedRow(form, tr("遥毙类型"), killType_);
    killCode_ = MakeRuledEdit(QStringLiteral("1108"), kKillCodeMaxLength, AcceptDtmfKey, this);
    AddCaptionedRow(form, tr("遥毙码"), killCode_);
    autoResetTime_ = MakeRuledEdit(QStringLiteral("1110"), 2, AcceptDecimalKey, this);
    AddCaptionedRow(
        form, tr("自动复位时间 (s)"), autoResetTime_,
        new CStepButtons(autoResetTime_, StepAutoResetTime, QStringLiteral("1111"), this));
    decodeResponse_ = MakeChoiceList(QStringLiteral("1109"),
                                     {tr("无"), tr("提醒"), tr("回复"), tr("提醒+回复")}, this);
    AddCaptionedRow(form, tr("解码响应"), decodeResponse_);
    alarmCode_ =
        MakeRuledEdit(QStringLiteral("1114"), map::kDtmfAlarmCodeLength, AcceptDtmfKey, this);
    AddCaptionedRow(form, tr("报警码"), alarmCode_);
    // The decode time is kept and corrected like any field, but the radio's users never see it.
    decodeTime_ = MakeRuledEdit(QStringLiteral("1112"), 3, AcceptDecimalKey, this);
    auto* decodeSpin = new CStepButtons(decodeTime_, StepDecodeTime, QStringLiteral("1113"), this);
    auto* decodeLabel = new QLabel(tr("解码时间 (s)"), this);
    decodeLabel->setBuddy(decodeTime_);
    for (QWidget* control : std::initializer_list<QWidget*>{decodeLabel, decodeTime_, decodeSpin}) {
        control->setAccessibleName(decodeLabel->text());
        control->hide();
    }
    autoResetTime_->installEventFilter(this);
    decodeTime_->installEventFilter(this);
    LoadFields();
}

CDtmfRemoteFields CDtmfRemotePage::Fields() const {
    CDtmfRemoteFields fields;
    fields.groupCallIndex = groupCall_->currentIndex();
    fields.killEnabledIndex = killEnabled_->currentIndex();
    fields.killTypeIndex = killType_->currentIndex();
    fields.killCode = killCode_->text().toStdString();
    fields.autoResetTime = autoResetTime_->text().toStdString();
    fields.decodeResponseIndex = decodeResponse_->currentIndex();
    fields.alarmCode = alarmCode_->text().toStdString();
    fields.decodeTime = decodeTime_->text().toStdString();
    return fields;
}

void CDtmfRemotePage::Show(const CDtmfRemoteFields& fields) {
    groupCall_->setCurrentIndex(fields.groupCallIndex);
    killEnabled_->setCurrentIndex(fields.killEnabledIndex);
    killType_->setCurrentIndex(fields.killTypeIndex);
    killCode_->setText(QString::fromStdString(fields.killCode));
    autoResetTime_->setText(QString::fromStdString(fields.autoResetTime));
    decodeResponse_->setCurrentIndex(fields.decodeResponseIndex);
    alarmCode_->setText(QString::fromStdString(fields.alarmCode));
    decodeTime_->setText(QString::fromStdString(fields.decodeTime));
}

void CDtmfRemotePage::LoadFields() { Show(LoadDtmfRemote(image_)); }

void CDtmfRemotePage::StoreFields() {
    CDtmfRemoteFields fields = Fields();
    StoreDtmfRemote(fields, image_);
    Show(fields);
}

bool CDtmfRemotePage::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (object == autoResetTime_)
            autoResetTime_->setText(
                QString::fromStdString(ClampAutoResetTime(autoResetTime_->text().toStdString())));
        else if (object == decodeTime_)
            decodeTime_->setText(
                QString::fromStdString(NormaliseDecodeTime(decodeTime_->text().toStdString())));
    }
    return CDtmfPage::eventFilter(object, event);
}

} // namespace tarsel::ui
