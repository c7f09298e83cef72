// "DTMF 解码初始化": the eleven tuning values of the radio's DTMF decoder, read from and written to
// the radio on their own. No OK or Cancel: the values are stored however the window closes.
#pragma once

#include "core/document/document.h"
#include "core/image/programstate.h"
#include "core/service/decoderfields.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QLineEdit;
class QPushButton;

namespace tarsel::ui {

class CPrompter;

class CDtmfDecoderDialog : public QDialog {
    Q_OBJECT
public:
    CDtmfDecoderDialog(CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                       CPrompter& prompter, QWidget* parent = nullptr);

    QLineEdit* Field(int row) const { return edits_[row]; }
    QPushButton* ReadButton() const { return read_; }
    QPushButton* WriteButton() const { return write_; }
    void ReadFromRadio();
    void WriteToRadio();
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CDecoderFields Fields() const;
    void Show(const CDecoderFields& fields);
    void Store();

    CDocument& doc_;
    CProgramState& state_;
    std::filesystem::path settingsPath_;
    CPrompter& prompter_;
    std::array<QLineEdit*, kDecoderEntryCount> edits_{};
    QPushButton* read_;
    QPushButton* write_;
    bool closing_ = false;
};

// Menu item 32808: runs the window modally.
void OpenDtmfDecoderInit(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent);

} // namespace tarsel::ui
