// "解码": how the radio answers DTMF it receives. Group call code, remote kill, decode response,
// alarm code, automatic reset time, and the decode time (kept, but not shown).
#pragma once

#include "core/dtmf/remotefields.h"
#include "ui/dtmf/dtmfpage.h"
#include "ui/widgets/formcontrols.h"

namespace tarsel::ui {

class CDtmfRemotePage : public CDtmfPage {
    Q_OBJECT
public:
    CDtmfRemotePage(CMemoryImage& image, QWidget* parent);
    void LoadFields() override;
    void StoreFields() override;

private:
    CDtmfRemoteFields Fields() const;
    void Show(const CDtmfRemoteFields& fields);

    CMemoryImage& image_;
    CFormControls controls_;
};

} // namespace tarsel::ui
