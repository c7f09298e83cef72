#include "ui/dtmf/remotepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

namespace tarsel::ui {

CDtmfRemotePage::CDtmfRemotePage(CMemoryImage& image, QWidget* parent)
    : CDtmfPage(parent), image_(image), controls_(DtmfRemoteFieldTable(), this) {
    setObjectName(QStringLiteral("212"));
    controls_.LayOut(CentredForm());
    LoadFields();
}

CDtmfRemoteFields CDtmfRemotePage::Fields() const {
    CDtmfRemoteFields fields;
    controls_.Collect([&fields](int id) { return DtmfRemoteSlot(fields, id); });
    return fields;
}

void CDtmfRemotePage::Show(const CDtmfRemoteFields& shown) {
    CDtmfRemoteFields fields = shown;
    controls_.Show([&fields](int id) { return DtmfRemoteSlot(fields, id); });
}

void CDtmfRemotePage::LoadFields() { Show(LoadDtmfRemote(image_)); }

void CDtmfRemotePage::StoreFields() {
    CDtmfRemoteFields fields = Fields();
    StoreDtmfRemote(fields, image_);
    Show(fields);
}

} // namespace tarsel::ui
