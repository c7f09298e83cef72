#include "ui/shell/passworddialog.h"

#include "core/service/password.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarsel::ui {

CPasswordDialog::CPasswordDialog(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("181"));
    setWindowTitle(tr("密码"));
    edit_->setObjectName(QStringLiteral("1318"));
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMaxLength(8); // nothing is loaded into this field, so the limit only stops typing
    auto* label = new QLabel(tr("密码"), this);
    label->setBuddy(edit_);
    edit_->setAccessibleName(label->text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDialog::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(label, edit_);
    layout->addRow(buttons);
}

void CPasswordDialog::Confirm() {
    if (IsServicePassword(edit_->text().toStdString()))
        accept();
    else
        reject();
}

} // namespace tarsel::ui
