#include "ui/service/radioinfodialog.h"

#include "core/radiolink/servicelink.h"
#include "core/radiolink/settingsfile.h"
#include "core/service/radioinfo.h"
#include "ui/service/serviceexchange.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace tarsel::ui {

namespace {

constexpr int kFirstId = 1038;
constexpr int kMcuVersionId = 1042;
constexpr int kPcVersionId = 1043;

} // namespace

CRadioInfoDialog::CRadioInfoDialog(std::string portName, std::filesystem::path settingsPath,
                                   CPrompter& prompter, QWidget* parent)
    : QDialog(parent), portName_(std::move(portName)), settingsPath_(std::move(settingsPath)),
      prompter_(prompter), read_(new QPushButton(tr("读取"), this)) {
    setObjectName(QStringLiteral("223"));
    setWindowTitle(tr("对讲机信息"));
    for (int i = 0; i < 6; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QString::number(kFirstId + i));
        fields_[i]->setReadOnly(true);
    }
    auto* layout = new QGridLayout(this);
    const auto addLabel = [&](const QString& caption, QLineEdit* field, int row) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        layout->addWidget(label, row, 0);
    };
    addLabel(tr("MCU版本"), Field(kMcuVersionId), 0);
    layout->addWidget(Field(kMcuVersionId), 0, 1, 1, 3);
    addLabel(tr("PC版本"), Field(kPcVersionId), 1);
    layout->addWidget(Field(kPcVersionId), 1, 1, 1, 3);
    const QString bands[2] = {tr("A段"), tr("B段")};
    for (int b = 0; b < 2; ++b) {
        QLineEdit* low = fields_[2 * b];
        QLineEdit* high = fields_[2 * b + 1];
        addLabel(bands[b], low, 2 + b);
        high->setAccessibleName(bands[b] + QStringLiteral(" ---"));
        layout->addWidget(low, 2 + b, 1);
        layout->addWidget(new QLabel(QStringLiteral("---"), this), 2 + b, 2);
        layout->addWidget(high, 2 + b, 3);
    }
    read_->setObjectName(QStringLiteral("1207"));
    read_->setAccessibleName(read_->text());
    read_->setAutoDefault(false);
    layout->addWidget(read_, 4, 3);
    connect(read_, &QPushButton::clicked, this, &CRadioInfoDialog::ReadFromRadio);
}

QLineEdit* CRadioInfoDialog::Field(int id) const { return fields_[id - kFirstId]; }

void CRadioInfoDialog::ReadFromRadio() {
    auto ident = std::make_shared<CIdentBlock>();
    CServiceExchange exchange(this, prompter_, settingsPath_);
    if (!exchange.Run(tr("读取"), true,
                      [ident, portName = portName_](CSerialPort& port, const CProgress&,
                                                    const CCancelToken* cancel) {
                          return ReadRadioInformation(port, portName, *ident, cancel);
                      }))
        return;
    const CSettingsFile settings(settingsPath_);
    const std::string firmware = FirmwareVersionText(*ident);
    if (NamesAVersion(firmware)) Field(kMcuVersionId)->setText(QString::fromStdString(firmware));
    Field(kPcVersionId)->setText(QString::fromStdString(PcVersionText(firmware, settings)));
    const auto mhz = BandLimitsMhz(*ident);
    for (int i = 0; i < 4; ++i) fields_[i]->setText(QString::number(mhz[i]));
}

void OpenRadioInformation(const std::string& portName, const std::filesystem::path& settingsPath,
                          CPrompter& prompter, QWidget* parent) {
    CRadioInfoDialog dialog(portName, settingsPath, prompter, parent);
    dialog.exec();
}

} // namespace tarsel::ui
