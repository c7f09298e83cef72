#include "ui/dtmf/formwidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidgetItem>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarsel::ui {

CKeyRuleFilter::CKeyRuleFilter(QLineEdit* edit, int maxLength, CKeyRule rule)
    : QObject(edit), maxLength_(maxLength), rule_(std::move(rule)) {}

void CKeyRuleFilter::Install(QLineEdit* edit, int maxLength, CKeyRule rule) {
    edit->installEventFilter(new CKeyRuleFilter(edit, maxLength, std::move(rule)));
    // Every way in goes through the key filter: no drops, no context menu paste, no input method.
    edit->setAcceptDrops(false);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CKeyRuleFilter::Insert(QLineEdit* edit, const QString& typed) {
    QString accepted;
    int room = maxLength_ - static_cast<int>(edit->text().size() - edit->selectedText().size());
    for (QChar c : typed) {
        if (room <= 0) break;
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F) continue;
        const char ascii = static_cast<char>(c.unicode());
        const std::optional<char> kept = rule_ ? rule_(ascii) : std::optional<char>(ascii);
        if (!kept) continue;
        accepted += QChar::fromLatin1(*kept);
        --room;
    }
    if (!accepted.isEmpty()) edit->insert(accepted);
}

bool CKeyRuleFilter::eventFilter(QObject* object, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (!edit || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        if (!edit->isReadOnly()) Insert(edit, QApplication::clipboard()->text());
        return true;
    }
    const QString text = key->text();
    if (text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() == 0x7F) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    Insert(edit, text);
    return true;
}

CStepButtons::CStepButtons(QLineEdit* buddy, CStepRule rule, const QString& objectId,
                           QWidget* parent)
    : QWidget(parent), buddy_(buddy), rule_(std::move(rule)) {
    setObjectName(objectId);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const Qt::ArrowType arrows[2] = {Qt::UpArrow, Qt::DownArrow};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrows[i]);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, buddy->sizeHint().height() / 2);
        button->setAccessibleName(i == 0 ? tr("增加") : tr("减少"));
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, i] { Step(i == 0 ? 1 : -1); });
    }
    buddy->installEventFilter(this);
}

void CStepButtons::Step(int step) {
    buddy_->setText(QString::fromStdString(rule_(buddy_->text().toStdString(), step)));
    if (buddy_->hasFocus()) buddy_->selectAll();
}

bool CStepButtons::eventFilter(QObject* object, QEvent* event) {
    if (object == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(object, event);
}

QLineEdit* MakeRuledEdit(const QString& objectId, int maxLength, CKeyRule rule, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectId);
    CKeyRuleFilter::Install(edit, maxLength, std::move(rule));
    return edit;
}

QComboBox* MakeChoiceList(const QString& objectId, const QStringList& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectId);
    list->addItems(entries);
    list->setCurrentIndex(-1);
    return list;
}

void AddCaptionedRow(QGridLayout* layout, const QString& caption, QWidget* field, QWidget* extra) {
    const int row = layout->rowCount();
    auto* label = new QLabel(caption, layout->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(caption);
    layout->addWidget(label, row, 0);
    if (!extra) {
        layout->addWidget(field, row, 1);
        return;
    }
    extra->setAccessibleName(caption);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(field);
    pair->addWidget(extra);
    layout->addLayout(pair, row, 1);
}

bool IsEnterOrEscape(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

QTableWidgetItem* MakeCentredCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace tarsel::ui
