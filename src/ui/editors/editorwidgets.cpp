#include "ui/editors/editorwidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarsel::ui::editors {

void CTypingFilter::Install(QLineEdit* edit, const QString& allowed, int maxLength) {
    edit->installEventFilter(new CTypingFilter(edit, allowed, maxLength));
}

CTypingFilter::CTypingFilter(QLineEdit* edit, const QString& allowed, int maxLength)
    : QObject(edit), edit_(edit), allowed_(allowed), maxLength_(maxLength) {}

bool CTypingFilter::Allowed(QChar c) const {
    if (allowed_.isEmpty()) return c.unicode() >= 0x20 && c.unicode() < 0x7F;
    return allowed_.contains(c);
}

QString CTypingFilter::Admitted(const QString& text) const {
    QString admitted;
    for (QChar c : text)
        if (Allowed(c)) admitted += c;
    if (maxLength_ > 0) {
        const qsizetype kept = edit_->text().size() - edit_->selectedText().size();
        admitted.truncate(std::max<qsizetype>(0, maxLength_ - kept));
    }
    return admitted;
}

bool CTypingFilter::eventFilter(QObject* object, QEvent* event) {
    if (object != edit_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        if (!edit_->isReadOnly()) edit_->insert(Admitted(QApplication::clipboard()->text()));
        return true;
    }
    const QString typed = key->text();
    if (typed.isEmpty() || typed.at(0).unicode() < 0x20 || typed.at(0).unicode() == 0x7F)
        return false; // editing and moving keys, backspace
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    return Admitted(typed) != typed;
}

CSpinArrows::CSpinArrows(int id, const QString& accessibleName, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(id));
    setAccessibleName(accessibleName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        Qt::ArrowType arrow;
        int step;
    } buttons[] = {{Qt::UpArrow, 1}, {Qt::DownArrow, -1}};
    for (const auto& b : buttons) {
        auto* button = new QToolButton(this);
        button->setArrowType(b.arrow);
        button->setAutoRepeat(true);
        // Taking the focus lets the field being edited run its check before the step.
        button->setFocusPolicy(Qt::ClickFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setAccessibleName(accessibleName);
        const int step = b.step;
        connect(button, &QToolButton::clicked, this, [this, step] { emit Stepped(step); });
        layout->addWidget(button);
    }
}

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* Caption(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
}

QComboBox* MakeList(int id, const QString& caption, std::span<const char* const> entries,
                    QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    combo->setAccessibleName(caption);
    for (const char* entry : entries) combo->addItem(Text(entry));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QLineEdit* MakeEdit(int id, const QString& caption, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setAccessibleName(caption);
    return edit;
}

void FitDigits(QLineEdit* edit, int digits) {
    const int text = edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0')));
    const QMargins margins = edit->textMargins();
    // Frame and the line edit's inner padding on both sides.
    edit->setMinimumWidth(text + margins.left() + margins.right() +
                          4 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
}

void AddRow(QGridLayout* grid, int row, int column, QLabel* caption, QWidget* field) {
    grid->addWidget(caption, row, column);
    grid->addWidget(field, row, column + 1);
}

} // namespace tarsel::ui::editors
