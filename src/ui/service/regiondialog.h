// What the two service windows that own a region of the image share ("参数调节" and
// "DTMF 解码初始化"): the "读数据" and "写数据" buttons and their exchanges, Enter closing the
// window as Escape does, and the fields stored however the window closes. No OK or Cancel.
#pragma once

#include "core/image/memorymap.h"
#include "core/document/document.h"
#include "core/image/programstate.h"
#include "ui/service/serviceexchange.h"

#include <QDialog>

#include <filesystem>

class QHBoxLayout;
class QPushButton;

namespace tarsel::ui {

class CRegionDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* ReadButton() const { return read_; }
    QPushButton* WriteButton() const { return write_; }

    // The region from the radio, then shown; nothing changes when the read fails.
    void ReadFromRadio();
    // The fields stored, then the region sent.
    void WriteToRadio();
    void done(int result) override;

    // Controls -> image (with the window's corrections, which the controls then show).
    virtual void StoreFields() = 0;

protected:
    CRegionDialog(CDocument& doc, CProgramState& state, map::CRange region, std::filesystem::path settingsPath,
                  CPrompter& prompter, QWidget* parent);

    // The two buttons, right-aligned, for the window's layout.
    QHBoxLayout* ButtonRow();
    // Image -> controls after a complete read.
    virtual void ShowRead() = 0;
    // What a write stores before sending; the fields by default.
    virtual void PrepareWrite() { StoreFields(); }

    void keyPressEvent(QKeyEvent* event) override;

    CDocument& doc_;
    CProgramState& state_;

private:
    map::CRange region_;
    CServiceExchange exchange_;
    QPushButton* read_;
    QPushButton* write_;
    bool closing_ = false;
};

} // namespace tarsel::ui
