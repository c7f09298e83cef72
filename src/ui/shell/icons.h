// Tool bar and program icons, drawn here so that they show on a machine without an icon theme
// and carry no licence but the program's own.
#pragma once

#include <QIcon>

namespace tarsel::ui {

enum class EIcon { New, Open, Save, Undo, Redo, Read, SerialPort, Write, Print, About, Program };

QIcon MakeIcon(EIcon icon);

} // namespace tarsel::ui
