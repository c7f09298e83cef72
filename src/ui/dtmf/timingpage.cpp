#include "ui/dtmf/timingpage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

namespace tarsel::ui {

CDtmfTimingPage::CDtmfTimingPage(CMemoryImage& image, QWidget* parent)
    : CDtmfPage(parent), image_(image), controls_(DtmfTimingFieldTable(), this) {
    setObjectName(QStringLiteral("134"));
    controls_.LayOut(CentredForm());
    LoadFields();
}

CDtmfTimingFields CDtmfTimingPage::Fields() const {
    const auto list = [this](int id) { return controls_.List(id)->currentIndex(); };
    const auto text = [this](int id) { return controls_.Edit(id)->text().toStdString(); };
    CDtmfTimingFields fields;
    fields.rateIndex = list(1093);
    fields.firstDigitDelay = text(1094);
    fields.firstDigitTimeIndex = list(1096);
    fields.starHashTimeIndex = list(1097);
    fields.sideToneIndex = list(1184);
    fields.pttIdStart = text(1117);
    fields.pttIdEnd = text(1118);
    fields.waitForReplyIndex = list(1120);
    fields.waitTime = text(1121);
    return fields;
}

void CDtmfTimingPage::Show(const CDtmfTimingFields& fields) {
    const auto list = [this](int id, int index) { controls_.List(id)->setCurrentIndex(index); };
    const auto text = [this](int id, const std::string& value) {
        controls_.Edit(id)->setText(QString::fromStdString(value));
    };
    list(1093, fields.rateIndex);
    text(1094, fields.firstDigitDelay);
    list(1096, fields.firstDigitTimeIndex);
    list(1097, fields.starHashTimeIndex);
    list(1184, fields.sideToneIndex);
    text(1117, fields.pttIdStart);
    text(1118, fields.pttIdEnd);
    list(1120, fields.waitForReplyIndex);
    text(1121, fields.waitTime);
}

void CDtmfTimingPage::LoadFields() { Show(LoadDtmfTiming(image_)); }

void CDtmfTimingPage::StoreFields() {
    CDtmfTimingFields fields = Fields();
    StoreDtmfTiming(fields, image_);
    Show(fields);
}

} // namespace tarsel::ui
