// "端口设置": COM1 .. COM16, the ones that do not open disabled, the current one selected.
#pragma once

#include "core/image/programstate.h"
#include "core/radiolink/portchoice.h"

#include <QDialog>

#include <filesystem>

class QButtonGroup;
class QRadioButton;

namespace tarsel::ui {

class CPortDialog : public QDialog {
    Q_OBJECT
public:
    // port probes the ports (the real serial layer, or a fake in tests).
    CPortDialog(CProgramState& state, std::filesystem::path settingsPath, CSerialPort& port,
                QWidget* parent = nullptr);

    QRadioButton* Button(int number) const; // 1..16
    // "确定"
    void Confirm();

private:
    CProgramState& state_;
    std::filesystem::path settingsPath_;
    QButtonGroup* group_;
};

} // namespace tarsel::ui
