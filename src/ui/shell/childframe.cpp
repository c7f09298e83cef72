#include "ui/shell/childframe.h"

#include <QCloseEvent>

namespace tarsel::ui {

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace tarsel::ui
