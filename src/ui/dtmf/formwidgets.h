// Small pieces the DTMF and FM radio windows are built from: edits that limit what can be typed
// (but show whatever the program puts in them), up/down buttons that rewrite their edit's number,
// and captioned rows.
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QTableWidgetItem;

namespace tarsel::ui {

// What a field takes from the keyboard: the character as it is to be inserted (upper case, say),
// or nothing to drop it.
using CKeyRule = std::function<std::optional<char>(char)>;

// Limits typing and pasting into an edit to maxLength characters that pass the rule. Unlike
// QLineEdit::setMaxLength it leaves texts set by the program whole, as they were read.
class CKeyRuleFilter : public QObject {
public:
    static void Install(QLineEdit* edit, int maxLength, CKeyRule rule = {});

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CKeyRuleFilter(QLineEdit* edit, int maxLength, CKeyRule rule);
    void Insert(QLineEdit* edit, const QString& typed);

    int maxLength_;
    CKeyRule rule_;
};

// The up and down buttons of a number edit. They hold no value: each click (and the Up and Down
// keys in the edit) replaces the edit's text by what the step rule makes of it.
class CStepButtons : public QWidget {
    Q_OBJECT
public:
    using CStepRule = std::function<std::string(std::string_view text, int step)>;
    CStepButtons(QLineEdit* buddy, CStepRule rule, const QString& objectId, QWidget* parent);
    void Step(int step);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QLineEdit* buddy_;
    CStepRule rule_;
};

QLineEdit* MakeRuledEdit(const QString& objectId, int maxLength, CKeyRule rule, QWidget* parent);
QComboBox* MakeChoiceList(const QString& objectId, const QStringList& entries, QWidget* parent);
// Caption in column 0 as the buddy of the field in column 1; the field (and the extra widget next
// to it, if any) are found by the caption.
void AddCaptionedRow(QGridLayout* layout, const QString& caption, QWidget* field,
                     QWidget* extra = nullptr);

// Enter and Escape close nothing in these windows.
bool IsEnterOrEscape(const QEvent* event);

// A centred cell that shows a text and is never edited in place by the table itself.
QTableWidgetItem* MakeCentredCell(const QString& text);

} // namespace tarsel::ui
