// "编码": how the radio sends DTMF. Rate, delays and tone lengths, side tone, the PTT ID codes and
// the wait for a reply.
#pragma once

#include "core/dtmf/timingfields.h"
#include "ui/dtmf/dtmfpage.h"

class QComboBox;
class QLineEdit;

namespace tarsel::ui {

class CDtmfTimingPage : public CDtmfPage {
    Q_OBJECT
public:
    CDtmfTimingPage(CMemoryImage& image, QWidget* parent);
    void LoadFields() override;
    void StoreFields() override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CDtmfTimingFields Fields() const;
    void Show(const CDtmfTimingFields& fields);

    CMemoryImage& image_;
    QComboBox* rate_;
    QLineEdit* firstDigitDelay_;
    QComboBox* firstDigitTime_;
    QComboBox* starHashTime_;
    QComboBox* sideTone_;
    QLineEdit* pttIdStart_;
    QLineEdit* pttIdEnd_;
    QComboBox* waitForReply_;
    QLineEdit* waitTime_;
};

} // namespace tarsel::ui
