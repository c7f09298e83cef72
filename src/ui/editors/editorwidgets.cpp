#include "ui/editors/editorwidgets.h"

#include "ui/dtmf/formwidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace tarsel::ui::editors {

void InstallTypingFilter(QLineEdit* edit, const QString& allowed, int maxLength) {
    CKeyRuleFilter::Install(edit, maxLength > 0 ? maxLength : std::numeric_limits<int>::max(),
                            [allowed](char c) -> std::optional<char> {
                                if (allowed.isEmpty() || allowed.contains(QLatin1Char(c))) return c;
                                return std::nullopt;
                            });
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

QGridLayout* AddChannelOptionLists(QGroupBox* box,
                                   std::array<QComboBox*, kChannelOptionCount>& lists) {
    auto* grid = new QGridLayout(box);
    const auto& options = ChannelOptions();
    for (std::size_t i = 0; i < options.size(); ++i) {
        const QString caption = QCoreApplication::translate("ChannelOptions", options[i].caption);
        lists[i] = MakeList(options[i].controlId, caption, options[i].entries, box);
        const int row = static_cast<int>(i % 3), column = static_cast<int>(i / 3) * 2;
        AddRow(grid, row, column, Caption(caption, lists[i]), lists[i]);
    }
    return grid;
}

} // namespace tarsel::ui::editors
