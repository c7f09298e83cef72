#include "ui/widgets/ruledit.h"

#include <QLineEdit>
#include <QStyle>

namespace tarsel::ui {

QLineEdit* MakeRuledEdit(const QString& objectId, int maxLength, CKeyRule rule, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectId);
    CKeyRuleFilter::Install(edit, maxLength, std::move(rule));
    return edit;
}

void FitDigits(QLineEdit* edit, int digits) {
    const int text = edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0')));
    const QMargins margins = edit->textMargins();
    // Frame and the line edit's inner padding on both sides.
    edit->setMinimumWidth(text + margins.left() + margins.right() +
                          4 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
}

} // namespace tarsel::ui
