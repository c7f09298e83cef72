// The Qt application object of the desktop program, and of its tests.
#pragma once

#include <QApplication>

namespace tarsel::ui {

// Qt sets the C library's locale from the environment when the application object is created.
// Under a locale with a decimal comma every printf and scanf conversion would then write and read
// "12,5"; the radio's texts are written with a point, so the numbers go back to "C" at once.
class CQtApplication : public QApplication {
    Q_OBJECT
public:
    CQtApplication(int& argc, char** argv);
};

} // namespace tarsel::ui
