// "机型信息": the model text and the A and B band limits in whole MHz. No buttons: it is closed
// with the close box, Enter and Escape do nothing, and the limits are stored however it closes.
#pragma once

#include "core/document/document.h"
#include "core/image/modelform.h"
#include "core/image/programstate.h"
#include "ui/widgets/formcontrols.h"

#include <QDialog>

class QLineEdit;

namespace tarsel::ui {

class CModelDialog : public QDialog {
    Q_OBJECT
public:
    explicit CModelDialog(CDocument& doc, CProgramState& state, QWidget* parent = nullptr);

    QLineEdit* Field(int id) const; // 1037 .. 1041
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CModelFields Fields() const;
    void Show(const CModelFields& fields);

    CDocument& doc_;
    CProgramState& state_;
    CFormControls controls_;
    QLineEdit* model_;
    QLineEdit* limits_[4]; // A low, A high, B low, B high
    bool stored_ = false;
};

} // namespace tarsel::ui
