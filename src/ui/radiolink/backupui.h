// The automatic backups from the desktop program. The transfer window keeps its own; the service
// windows (calibration read, DTMF decoder read) call KeepRadioBackup with the whole image after a
// complete read, and 文件 > 打开备份… calls ChooseBackupFile.
#pragma once

#include "core/image/programstate.h"
#include "core/radiolink/backups.h"

#include <QString>

class QWidget;

namespace tarsel::ui {

class CPrompter;

// Keeps a backup of image. The first one of the run that cannot be kept is told to the user
// ("无法保存备份" with the cause); later ones are not. Never fails the caller's transfer.
void KeepRadioBackup(EBackupKind kind, const CMemoryImage& image, CProgramState& state,
                     CPrompter& prompter, QWidget* parent);

// The file dialog in the backup folder, showing data files; empty when cancelled.
QString ChooseBackupFile(QWidget* parent);

} // namespace tarsel::ui
