// "对讲机信息": the connected radio's firmware version, the matching programming-software version
// from the settings file and its two bands in whole MHz. It does not touch the image.
#pragma once

#include <QDialog>

#include <filesystem>
#include <string>

class QLineEdit;
class QPushButton;

namespace tarsel::ui {

class CPrompter;

class CRadioInfoDialog : public QDialog {
    Q_OBJECT
public:
    CRadioInfoDialog(std::string portName, std::filesystem::path settingsPath, CPrompter& prompter,
                     QWidget* parent = nullptr);

    QLineEdit* Field(int id) const; // 1038 .. 1043
    QPushButton* ReadButton() const { return read_; }
    void ReadFromRadio();

private:
    std::string portName_;
    std::filesystem::path settingsPath_;
    CPrompter& prompter_;
    QLineEdit* fields_[6]; // 1038 .. 1043
    QPushButton* read_;
};

// Command 32809: runs the window modally.
void OpenRadioInformation(const std::string& portName, const std::filesystem::path& settingsPath,
                          CPrompter& prompter, QWidget* parent);

} // namespace tarsel::ui
