#include "ui/shell/aboutdialog.h"

#include "core/radiolink/settingsfile.h"
#include "ui/shell/icons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace tarsel::ui {

CAboutDialog::CAboutDialog(const CSettingsFile& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(tr("关于"));
    auto* icon = new QLabel(this);
    icon->setPixmap(MakeIcon(EIcon::Program).pixmap(48, 48));
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    // The settings file's texts replace the placeholders "版本", "版权" and "公司"; a missing
    // key leaves an empty line, as the settings reader gives an empty text for it.
    const char* keys[] = {"Version", "Copyright", "Company"};
    const char* names[] = {"version", "copyright", "company"};
    for (int i = 0; i < 3; ++i) {
        auto* line = new QLabel(QString::fromStdString(settings.ReadText("About", keys[i])), this);
        line->setObjectName(QString::fromLatin1(names[i]));
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(line, i, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setColumnMinimumWidth(1, 240);
}

} // namespace tarsel::ui
