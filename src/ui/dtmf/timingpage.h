// "编码": how the radio sends DTMF. Rate, delays and tone lengths, side tone, the PTT ID codes and
// the wait for a reply.
#pragma once

#include "core/dtmf/timingfields.h"
#include "ui/dtmf/dtmfpage.h"
#include "ui/widgets/formcontrols.h"

namespace tarsel::ui {

class CDtmfTimingPage : public CDtmfPage {
    Q_OBJECT
public:
    CDtmfTimingPage(CMemoryImage& image, QWidget* parent);
    void LoadFields() override;
    void StoreFields() override;

private:
    CDtmfTimingFields Fields() const;
    void Show(const CDtmfTimingFields& fields);

    CMemoryImage& image_;
    CFormControls controls_;
};

} // namespace tarsel::ui
