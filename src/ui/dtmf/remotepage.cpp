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
    const auto list = [this](int id) { return controls_.List(id)->currentIndex(); };
    const auto text = [this](int id) { return controls_.Edit(id)->text().toStdString(); };
    CDtmfRemoteFields fields;
    fields.groupCallIndex = list(1104);
    fields.killEnabledIndex = list(1106);
    fields.killTypeIndex = list(1107);
    fields.killCode = text(1108);
    fields.autoResetTime = text(1110);
    fields.decodeResponseIndex = list(1109);
    fields.alarmCode = text(1114);
    fields.decodeTime = text(1112);
    return fields;
}

void CDtmfRemotePage::Show(const CDtmfRemoteFields& fields) {
    const auto list = [this](int id, int index) { controls_.List(id)->setCurrentIndex(index); };
    const auto text = [this](int id, const std::string& value) {
        controls_.Edit(id)->setText(QString::fromStdString(value));
    };
    list(1104, fields.groupCallIndex);
    list(1106, fields.killEnabledIndex);
    list(1107, fields.killTypeIndex);
    text(1108, fields.killCode);
    text(1110, fields.autoResetTime);
    list(1109, fields.decodeResponseIndex);
    text(1114, fields.alarmCode);
    text(1112, fields.decodeTime);
}

void CDtmfRemotePage::LoadFields() { Show(LoadDtmfRemote(image_)); }

void CDtmfRemotePage::StoreFields() {
    CDtmfRemoteFields fields = Fields();
    StoreDtmfRemote(fields, image_);
    Show(fields);
}

} // namespace tarsel::ui
