// The ruled edit: a line edit named by its control id whose typing goes through the key filter.
#pragma once

#include "ui/widgets/keyfilter.h"

class QLineEdit;
class QWidget;

namespace tarsel::ui {

// maxLength 0: no limit; no rule: every printable character.
QLineEdit* MakeRuledEdit(const QString& objectId, int maxLength, CKeyRule rule, QWidget* parent);

// Wide enough for this many digits at the current font and scaling.
void FitDigits(QLineEdit* edit, int digits);

} // namespace tarsel::ui
