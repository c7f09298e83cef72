#include "ui/widgets/keyfilter.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

namespace tarsel::ui {

CKeyRule KeysAmong(const QString& allowed) {
    return [allowed](char c) -> std::optional<char> {
        if (allowed.isEmpty() || allowed.contains(QLatin1Char(c))) return c;
        return std::nullopt;
    };
}

CKeyRule KeysOf(EKeyRule rule) {
    return [rule](char c) { return AcceptKey(rule, c); };
}

CKeyRuleFilter::CKeyRuleFilter(QLineEdit* edit, int maxLength, CKeyRule rule)
    : QObject(edit), maxLength_(maxLength > 0 ? maxLength : std::numeric_limits<int>::max()),
      rule_(std::move(rule)) {}

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

bool IsEnterOrEscape(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace tarsel::ui
