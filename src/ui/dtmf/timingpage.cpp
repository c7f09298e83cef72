#include "ui/dtmf/timingpage.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/memorymap.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/ruledit.h"
#include "ui/widgets/stepbuttons.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>

namespace tarsel::ui {

CDtmfTimingPage::CDtmfTimingPage(CMemoryImage& image, QWidget* parent)
    : CDtmfPage(parent), image_(image) {
    setObjectName(QStringLiteral("134"));
    QGridLayout* form = CentredForm();
    rate_ = MakeChoiceList(QStringLiteral("1093"), Entries(kDtmfRateEntries), this);
    AddCaptionedRow(form, tr("速率 (digit/s)"), rate_);
    firstDigitDelay_ = MakeRuledEdit(QStringLiteral("1094"), 4, AcceptDecimalKey, this);
    AddCaptionedRow(
        form, tr("首位数码延迟时间 (ms)"), firstDigitDelay_,
        new CStepButtons(firstDigitDelay_, StepFirstDigitDelay, QStringLiteral("1095"), this));
    firstDigitTime_ = MakeChoiceList(QStringLiteral("1096"), Entries(kDtmfToneTimeEntries), this);
    AddCaptionedRow(form, tr("首位数码时间 (ms)"), firstDigitTime_);
    starHashTime_ = MakeChoiceList(QStringLiteral("1097"), Entries(kDtmfToneTimeEntries), this);
    AddCaptionedRow(form, tr("*和#音 (ms)"), starHashTime_);
    sideTone_ = MakeChoiceList(QStringLiteral("1184"),
                               {tr("关"), tr("按键"), tr("ID"), tr("按键+ID")}, this);
    AddCaptionedRow(form, tr("侧音"), sideTone_);
    pttIdStart_ = MakeRuledEdit(QStringLiteral("1117"), map::kDtmfPttIdLength, AcceptDtmfKey, this);
    AddCaptionedRow(form, tr("PTT ID 发射开始"), pttIdStart_);
    pttIdEnd_ = MakeRuledEdit(QStringLiteral("1118"), map::kDtmfPttIdLength, AcceptDtmfKey, this);
    AddCaptionedRow(form, tr("PTT ID 发射结束"), pttIdEnd_);
    waitForReply_ = MakeChoiceList(QStringLiteral("1120"), {tr("关"), tr("开")}, this);
    AddCaptionedRow(form, tr("等待回复"), waitForReply_);
    waitTime_ = MakeRuledEdit(QStringLiteral("1121"), 2, {}, this);
    AddCaptionedRow(form, tr("等待回复时间 (s)"), waitTime_,
                    new CStepButtons(waitTime_, StepWaitTime, QStringLiteral("1098"), this));
    firstDigitDelay_->installEventFilter(this);
    waitTime_->installEventFilter(this);
    LoadFields();
}

CDtmfTimingFields CDtmfTimingPage::Fields() const {
    CDtmfTimingFields fields;
    fields.rateIndex = rate_->currentIndex();
    fields.firstDigitDelay = firstDigitDelay_->text().toStdString();
    fields.firstDigitTimeIndex = firstDigitTime_->currentIndex();
    fields.starHashTimeIndex = starHashTime_->currentIndex();
    fields.sideToneIndex = sideTone_->currentIndex();
    fields.pttIdStart = pttIdStart_->text().toStdString();
    fields.pttIdEnd = pttIdEnd_->text().toStdString();
    fields.waitForReplyIndex = waitForReply_->currentIndex();
    fields.waitTime = waitTime_->text().toStdString();
    return fields;
}

void CDtmfTimingPage::Show(const CDtmfTimingFields& fields) {
    rate_->setCurrentIndex(fields.rateIndex);
    firstDigitDelay_->setText(QString::fromStdString(fields.firstDigitDelay));
    firstDigitTime_->setCurrentIndex(fields.firstDigitTimeIndex);
    starHashTime_->setCurrentIndex(fields.starHashTimeIndex);
    sideTone_->setCurrentIndex(fields.sideToneIndex);
    pttIdStart_->setText(QString::fromStdString(fields.pttIdStart));
    pttIdEnd_->setText(QString::fromStdString(fields.pttIdEnd));
    waitForReply_->setCurrentIndex(fields.waitForReplyIndex);
    waitTime_->setText(QString::fromStdString(fields.waitTime));
}

void CDtmfTimingPage::LoadFields() { Show(LoadDtmfTiming(image_)); }

void CDtmfTimingPage::StoreFields() {
    CDtmfTimingFields fields = Fields();
    StoreDtmfTiming(fields, image_);
    Show(fields);
}

bool CDtmfTimingPage::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (object == firstDigitDelay_)
            firstDigitDelay_->setText(QString::fromStdString(
                NormaliseFirstDigitDelay(firstDigitDelay_->text().toStdString())));
        else if (object == waitTime_)
            waitTime_->setText(
                QString::fromStdString(ClampWaitTime(waitTime_->text().toStdString())));
    }
    return CDtmfPage::eventFilter(object, event);
}

} // namespace tarsel::ui
