#include "ui/radiolink/portdialog.h"

#include "core/radiolink/causewords.h"
#include "core/radiolink/settingsfile.h"
#include "ui/widgets/coretext.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

constexpr int kFirstButtonId = 1006; // button for port k is 1006 + k

} // namespace

CPortDialog::CPortDialog(CProgramState& state, std::filesystem::path settingsPath,
                         CSerialPort& port, QWidget* parent)
    : QDialog(parent), state_(state), settingsPath_(std::move(settingsPath)),
      group_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("144"));
    setWindowTitle(tr("端口设置"));
    const CSettingsFile settings(settingsPath_);
    const CPortDialogFields fields = LoadPortDialog(port, &settings, state_.portName);

    auto* box = new QGroupBox(tr("端口"), this);
    auto* grid = new QGridLayout(box);
    for (int number = 1; number <= kPortChoices; ++number) {
        const CPortChoice& choice = fields.ports[static_cast<std::size_t>(number - 1)];
        auto* button = new QRadioButton(QString::fromStdString(PortCaption(choice)), box);
        button->setObjectName(QString::number(kFirstButtonId + number));
        button->setAccessibleName(QStringLiteral("COM%1").arg(number));
        button->setEnabled(choice.available);
        button->setChecked(number == fields.selected);
        group_->addButton(button, number);
        // Two columns: COM1..COM8 and COM9..COM16.
        grid->addWidget(button, (number - 1) % 8, (number - 1) / 8);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPortDialog::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    if (const QString cause = CoreText(NoCableWords(fields)); !cause.isEmpty()) {
        // Sixteen greyed buttons alone do not tell a user what is wrong.
        auto* hint = new QLabel(cause, this);
        hint->setObjectName(QStringLiteral("noCable"));
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }
    layout->addWidget(buttons);
}

QRadioButton* CPortDialog::Button(int number) const {
    return qobject_cast<QRadioButton*>(group_->button(number));
}

void CPortDialog::Confirm() {
    const int selected = group_->checkedId();
    if (selected > 0) {
        CSettingsFile settings(settingsPath_);
        StorePortDialog(selected, settings, state_.portName);
    }
    accept();
}

} // namespace tarsel::ui
