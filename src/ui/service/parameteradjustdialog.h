// "参数调节": the calibration region of the image in three grids, thirty numeric fields (three of
// them never shown) and twelve check boxes, with its own read and write of that region. No OK or
// Cancel: everything is stored however the window closes.
#pragma once

#include "core/document/document.h"
#include "core/image/programstate.h"
#include "core/service/calibrationfields.h"

#include <QDialog>

#include <array>
#include <filesystem>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarsel::ui {

class CCalibrationGridView;
class CPrompter;

class CParameterAdjustDialog : public QDialog {
    Q_OBJECT
public:
    CParameterAdjustDialog(CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                           CPrompter& prompter, QWidget* parent = nullptr);

    QLineEdit* Field(int editId) const;
    QCheckBox* Check(int index) const { return checks_[index]; } // in kCalibrationChecks order
    CCalibrationGridView* Grid(int index) const { return grids_[index]; } // kSquelchLevelGrid ..
    QPushButton* ReadButton() const { return read_; }
    QPushButton* WriteButton() const { return write_; }

    void LoadFields();
    void StoreFields();
    void ReadFromRadio();
    void WriteToRadio();
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void InitialiseControls();
    CCalibrationFields Collect();
    void Show(const CCalibrationFields& fields);

    CDocument& doc_;
    CProgramState& state_;
    std::filesystem::path settingsPath_;
    CPrompter& prompter_;
    CCalibrationLayout layout_; // the rows the grids show, decided at the last load
    std::array<CCalibrationGridView*, kCalibrationGrids.size()> grids_{};
    std::array<QLineEdit*, kCalibrationFields.size()> fields_{};
    std::array<QCheckBox*, kCalibrationChecks.size()> checks_{};
    QPushButton* read_ = nullptr;
    QPushButton* write_ = nullptr;
    bool closing_ = false;
};

// Menu item 32807: runs the window modally.
void OpenParameterAdjust(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent);

} // namespace tarsel::ui
