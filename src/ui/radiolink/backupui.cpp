#include "ui/radiolink/backupui.h"

#include "ui/shell/prompter.h"

#include <QCoreApplication>
#include <QFileDialog>

#include <system_error>

namespace tarsel::ui {

void KeepRadioBackup(EBackupKind kind, const CMemoryImage& image, CProgramState& state,
                     CPrompter& prompter, QWidget* parent) {
    const CBackupStore::CKept kept = CBackupStore().Keep(kind, image);
    if (kept.Kept() || state.backupWarned) return;
    state.backupWarned = true;
    prompter.ShowError(parent, QCoreApplication::translate("CTransferDialog", "无法保存备份"),
                       QString::fromStdString(kept.error));
}

QString ChooseBackupFile(QWidget* parent) {
    const std::filesystem::path folder = DefaultBackupFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("CMainFrame", "打开备份"),
        QString::fromStdString(folder.string()),
        QCoreApplication::translate("CMainFrame", "*.dat (*.dat);;所有文件 (*)"));
}

} // namespace tarsel::ui
