#include "ui/widgets/coretext.h"

#include <QCoreApplication>

namespace tarsel::ui {

QString CoreText(const char* chinese) { return QCoreApplication::translate("core", chinese); }

QString CoreText(const std::string& chinese) { return CoreText(chinese.c_str()); }

} // namespace tarsel::ui
