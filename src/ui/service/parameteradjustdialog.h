// "参数调节": the calibration region of the image in three grids, thirty numeric fields (three of
// them never shown) and twelve check boxes, with its own read and write of that region.
#pragma once

#include "core/service/calibrationfields.h"
#include "ui/service/regiondialog.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace tarsel::ui {

class CCalibrationGridView;

class CParameterAdjustDialog : public CRegionDialog {
    Q_OBJECT
public:
    CParameterAdjustDialog(CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                           CPrompter& prompter, QWidget* parent = nullptr);

    QLineEdit* Field(int editId) const;
    QCheckBox* Check(int index) const { return checks_[index]; } // in kCalibrationChecks order
    CCalibrationGridView* Grid(int index) const { return grids_[index]; } // kSquelchLevelGrid ..
    void LoadFields();
    void StoreFields() override;

protected:
    void ShowRead() override;
    void PrepareWrite() override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void InitialiseControls();
    CCalibrationFields Collect();
    void Show(const CCalibrationFields& fields);

    CCalibrationLayout layout_; // the rows the grids show, decided at the last load
    std::array<CCalibrationGridView*, kCalibrationGrids.size()> grids_{};
    std::array<QLineEdit*, kCalibrationFields.size()> fields_{};
    std::array<QCheckBox*, kCalibrationChecks.size()> checks_{};
};

// Menu item 32807: runs the window modally.
void OpenParameterAdjust(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent);

} // namespace tarsel::ui
