#include "ui/service/regiondialog.h"

#include "ui/radiolink/backupui.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace tarsel::ui {

CRegionDialog::CRegionDialog(CDocument& doc, CProgramState& state, map::CRange region,
                             std::filesystem::path settingsPath, CPrompter& prompter,
                             QWidget* parent)
    : QDialog(parent), doc_(doc), state_(state), region_(region),
      exchange_(this, prompter, std::move(settingsPath)),
      read_(new QPushButton(tr("读数据"), this)), write_(new QPushButton(tr("写数据"), this)) {
    read_->setObjectName(QStringLiteral("1207"));
    write_->setObjectName(QStringLiteral("1208"));
    for (QPushButton* button : {read_, write_}) {
        button->setAutoDefault(false);
        button->setAccessibleName(button->text());
    }
    connect(read_, &QPushButton::clicked, this, &CRegionDialog::ReadFromRadio);
    connect(write_, &QPushButton::clicked, this, &CRegionDialog::WriteToRadio);
}

QHBoxLayout* CRegionDialog::ButtonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(read_);
    row->addWidget(write_);
    return row;
}

void CRegionDialog::ReadFromRadio() {
    if (!exchange_.ReadRegion(state_.portName, region_, doc_.Image())) return;
    ShowRead();
    KeepRadioBackup(EBackupKind::Read, doc_.Image(), state_, exchange_.Prompter(), this);
}

void CRegionDialog::WriteToRadio() {
    PrepareWrite();
    exchange_.WriteRegion(state_.portName, region_, doc_.Image());
}

void CRegionDialog::keyPressEvent(QKeyEvent* event) {
    // No default button: Enter closes the window as Escape does, and both store.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CRegionDialog::done(int result) {
    if (!closing_) {
        closing_ = true;
        StoreFields();
    }
    QDialog::done(result);
}

} // namespace tarsel::ui
