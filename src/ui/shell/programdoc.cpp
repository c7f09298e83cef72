#include "ui/shell/programdoc.h"

#include <QFileInfo>

namespace tarsel::ui {

QString CProgramDoc::Title() const {
    return path_.isEmpty() ? tr("无标题") : QFileInfo(path_).fileName();
}

} // namespace tarsel::ui
