// "自动拨号": the ten auto-dial codes, the ANI identity (own ID and separator) and the call ID the
// "ANI 呼叫" button composes a call from. Changing the separator or the own ID carries every code
// that ends in the old ANI suffix over to the new one.
#pragma once

#include "core/dtmf/codelistfields.h"
#include "ui/dtmf/dtmfpage.h"
#include "ui/widgets/formcontrols.h"

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tarsel::ui {

class CDtmfCodeListPage : public CDtmfPage {
    Q_OBJECT
public:
    // callId is the program-wide call ID: shown on opening, taken back on every store.
    CDtmfCodeListPage(CMemoryImage& image, std::string& callId, QWidget* parent);
    void LoadFields() override;
    void StoreFields() override;
    CInPlaceGrid* Grid() const { return grid_; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CDtmfCodeListFields Fields() const;
    void Show(const CDtmfCodeListFields& fields);
    void ComposeAniCall();

    CMemoryImage& image_;
    std::string& callId_;
    CAniMemory memory_;
    CFormControls controls_;
    CInPlaceGrid* grid_;
    QLineEdit* ownId_;
    QComboBox* separator_;
    QLineEdit* callIdEdit_;
    QPushButton* aniCall_;
};

} // namespace tarsel::ui
