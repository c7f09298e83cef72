// "信道编辑" on one channel: every field of a record, channel after channel, the VFOs included.
// No buttons: the channel on screen is written back on every move and however the window closes.
#pragma once

#include "core/editors/channelform.h"
#include "core/document/document.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace tarsel::ui {

class CStepButtons;

class CChannelEditDialog : public QDialog {
    Q_OBJECT
public:
    // channel: 1..258, the one shown first.
    CChannelEditDialog(CDocument& doc, int channel, QWidget* parent = nullptr);

    int Channel() const { return form_.channel; }
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Collect();             // controls -> form_
    void Show();                // form_ -> controls
    void Check(QObject* field); // the check of the field being left
    void Step(int step);

    CDocument& doc_;
    CChannelForm form_;
    QLineEdit* label_;
    CStepButtons* spin_;
    QLineEdit* rx_;
    QLineEdit* tx_;
    QLineEdit* name_;
    QComboBox* rxTone_;
    QComboBox* txTone_;
    std::array<QComboBox*, kChannelOptionCount> options_{};
    bool closed_ = false;
};

} // namespace tarsel::ui
