// "密码": the service password, typed masked, at most 8 characters.
#pragma once

#include <QDialog>

class QLineEdit;

namespace tarsel::ui {

class CPasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPasswordDialog(QWidget* parent = nullptr);
    QLineEdit* Edit() const { return edit_; }

    // "确定": accepted with the right password, otherwise closed as cancelled, without a word.
    void Confirm();

private:
    QLineEdit* edit_;
};

} // namespace tarsel::ui
