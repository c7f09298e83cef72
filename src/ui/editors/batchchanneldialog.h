// "信道编辑" from "批量生成": generates a range of memory channels in one apply. "应用" writes and
// refreshes the grid and keeps the window open; "取消", Escape, Enter off the buttons and the close
// box end it without writing anything more.
#pragma once

#include "core/editors/batchform.h"
#include "core/document/document.h"

#include <QDialog>

#include <array>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarsel::ui {

class CBatchChannelDialog : public QDialog {
    Q_OBJECT
public:
    // refill: called after each apply, to show the new channels in the grid.
    CBatchChannelDialog(CDocument& doc, std::function<void()> refill,
                        QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QRadioButton* Radio(int id, const QString& text, QButtonGroup* group, QWidget* parent);
    QLineEdit* Edit(int id, const QString& caption, const QString& allowed, int limit,
                    QWidget* parent);
    CBatchForm Form() const;
    void Show(const CBatchForm& form);
    void RunEnableRules();
    void Apply();

    CDocument& doc_;
    std::function<void()> refill_;
    QButtonGroup* range_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* rxStart_;
    QLineEdit* rxStep_;
    QButtonGroup* rxDirection_;
    QButtonGroup* transmit_;
    QLineEdit* offset_;
    QButtonGroup* offsetSign_;
    QLineEdit* txStart_;
    QLineEdit* txStep_;
    QButtonGroup* txDirection_;
    QComboBox* rxTone_;
    QCheckBox* rxToneRandom_;
    QLineEdit* rxToneInterval_;
    QButtonGroup* rxToneDirection_;
    QButtonGroup* txToneMode_;
    QComboBox* txTone_;
    QCheckBox* txToneRandom_;
    QLineEdit* txToneInterval_;
    QButtonGroup* txToneDirection_;
    std::array<QComboBox*, kChannelOptionCount> options_{};
    QLineEdit* name_;
    QCheckBox* numberName_;
    QPushButton* apply_;
    QPushButton* cancel_;
    std::string savedRxStart_, savedTxStart_;
};

} // namespace tarsel::ui
