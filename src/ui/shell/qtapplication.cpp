#include "ui/shell/qtapplication.h"

#include <clocale>

namespace tarsel::ui {

CQtApplication::CQtApplication(int& argc, char** argv) : QApplication(argc, argv) {
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace tarsel::ui
