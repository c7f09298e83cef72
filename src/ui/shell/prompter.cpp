#include "ui/shell/prompter.h"

#include "ui/shell/passworddialog.h"

#include <QApplication>
#include <QMessageBox>

namespace tarsel::ui {

namespace {

QString Title() { return QApplication::applicationDisplayName(); }

} // namespace

CPrompter::EAnswer CPrompter::AskOkCancel(QWidget* parent, const QString& text) {
    const auto button = QMessageBox::warning(
        parent, Title(), text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return button == QMessageBox::Ok ? EAnswer::Ok : EAnswer::Cancel;
}

CPrompter::EAnswer CPrompter::AskYesNoCancel(QWidget* parent, const QString& text) {
    const auto button = QMessageBox::question(
        parent, Title(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    if (button == QMessageBox::Yes) return EAnswer::Yes;
    if (button == QMessageBox::No) return EAnswer::No;
    return EAnswer::Cancel;
}

void CPrompter::ShowError(QWidget* parent, const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::Ok, parent);
    if (!detail.isEmpty()) box.setInformativeText(detail);
    box.exec();
}

void CPrompter::ShowInformation(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, Title(), text);
}

bool CPrompter::AskServicePassword(QWidget* parent) {
    CPasswordDialog dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tarsel::ui
