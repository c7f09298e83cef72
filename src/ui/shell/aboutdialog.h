// "关于": the program icon and the three lines of section "About" of the settings file.
#pragma once

#include <QDialog>

namespace tarsel {
class CSettingsFile;
}

namespace tarsel::ui {

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    CAboutDialog(const CSettingsFile& settings, QWidget* parent = nullptr);
};

} // namespace tarsel::ui
