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
    CDtmfTimingFields fields;
    controls_.Collect([&fields](int id) { return DtmfTimingSlot(fields, id); });
    return fields;
}

void CDtmfTimingPage::Show(const CDtmfTimingFields& shown) {
    CDtmfTimingFields fields = shown;
    controls_.Show([&fields](int id) { return DtmfTimingSlot(fields, id); });
}

void CDtmfTimingPage::LoadFields() { Show(LoadDtmfTiming(image_)); }

void CDtmfTimingPage::StoreFields() {
    CDtmfTimingFields fields = Fields();
    StoreDtmfTiming(fields, image_);
    Show(fields);
}

} // namespace tarsel::ui
