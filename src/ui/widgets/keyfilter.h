// The key filter every form's edits use: what may be typed or pasted, and how much of it, without
// cutting what the program itself puts in the edit. And the check for the keys that close nothing.
#pragma once

#include "core/image/formfield.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QEvent;
class QLineEdit;

namespace tarsel::ui {

// What a field takes from the keyboard: the character as it is to be inserted (upper case, say),
// or nothing to drop it.
using CKeyRule = std::function<std::optional<char>(char)>;

// A rule that takes the characters of allowed as they are; empty: every printable character.
CKeyRule KeysAmong(const QString& allowed);
// The core's rule of a form field.
CKeyRule KeysOf(EKeyRule rule);

// Limits typing and pasting into an edit to maxLength characters (0: no limit) that pass the rule.
// Unlike QLineEdit::setMaxLength it leaves texts set by the program whole, as they were read, so a
// longer value from an image is shown as it is and then corrected by the field's own rule.
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

// Enter and Escape, which close nothing in the forms that ask this.
bool IsEnterOrEscape(const QEvent* event);

} // namespace tarsel::ui
