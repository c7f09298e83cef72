// "可选功能": the radio-wide settings. No buttons: the settings are read when the window opens and
// written back however it closes (close box, Enter, Escape).
#pragma once

#include "core/document/document.h"
#include "core/editors/optionfields.h"
#include "ui/widgets/formcontrols.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace tarsel::ui {

class COptionalFeaturesDialog : public QDialog {
    Q_OBJECT
public:
    explicit COptionalFeaturesDialog(CDocument& doc, QWidget* parent = nullptr);
    ~COptionalFeaturesDialog() override;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    COptionsForm Form() const;
    void Show(const COptionsForm& form);
    void Store();

    CDocument& doc_;
    CFormControls controls_;
    std::array<QComboBox*, kOptionFieldCount> lists_{}; // in the order of OptionFields()
    QLineEdit* greeting_;
    QLineEdit* dualWatchTime_; // never shown
    bool stored_ = false;
};

// The menu item and the navigation tree item "可选功能".
void OpenOptionalFeatures(CDocument& doc, QWidget* parent);

} // namespace tarsel::ui
