// "收音机配置": the FM broadcast receiver's current preset, current frequency and 20 presets. Read
// from the image on opening, stored however it is closed; Enter and Escape close nothing.
#pragma once

#include "core/document/document.h"
#include "core/fmradio/fmfields.h"
#include "ui/widgets/formcontrols.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tarsel::ui {

class CFmRadioDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFmRadioDialog(CDocument& doc, QWidget* parent = nullptr);
    ~CFmRadioDialog() override;

    QComboBox* PresetList() const { return preset_; }
    QLineEdit* CurrentFrequency() const { return current_; }
    CInPlaceGrid* Grid() const { return grid_; }
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CFmRadioFields Fields() const;
    void Show(const CFmRadioFields& fields);
    void Store();

    CMemoryImage& image_;
    CFormControls controls_;
    QComboBox* preset_;
    QLineEdit* current_;
    CInPlaceGrid* grid_;
    bool stored_ = false;
};

// Runs the FM radio dialog modally over parent.
void OpenFmRadio(CDocument& doc, QWidget* parent);

} // namespace tarsel::ui
