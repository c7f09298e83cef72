#include "ui/channelview/celleditors.h"

#include "core/image/channeltable.h"
#include "core/image/gridnavigation.h"
#include "core/image/memorymap.h"
#include "ui/channelview/channelmodel.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/coretext.h"
#include "ui/widgets/keyfilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace tarsel::ui {

namespace {

const QString kNameEditor = QStringLiteral("name");

bool IsNameEditor(const QWidget* editor) { return editor->objectName() == kNameEditor; }

QString EditorText(QWidget* editor) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->isEditable()) return ToneBoxText(combo);
        // A choice commits the core's own text of the entry, never the translation shown.
        const QVariant core = combo->currentData();
        return core.isValid() ? core.toString() : combo->currentText();
    }
    return {};
}

} // namespace

CCellEditors::EKind CCellEditors::KindOfColumn(int column) {
    if (column <= kColumnTx) return EKind::Frequency;
    if (column <= kColumnTxTone) return EKind::Tone;
    if (column <= kColumnBusyLock) return EKind::Choice;
    return EKind::Name;
}

QWidget* CCellEditors::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    const int column = CChannelModel::ColumnOf(index);
    QWidget* editor = nullptr;
    switch (KindOfColumn(column)) {
    case EKind::Frequency: {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("1302"));
        edit->setAlignment(Qt::AlignCenter);
        editor = edit;
        break;
    }
    case EKind::Tone: {
        editor = MakeToneBox(QStringLiteral("1131"), true, parent);
        break;
    }
    case EKind::Choice: {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("1097"));
        for (const char* entry : ChoiceEntries(column))
            combo->addItem(CoreText(entry), QString::fromUtf8(entry));
        editor = combo;
        break;
    }
    case EKind::Name: {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(kNameEditor);
        edit->setAlignment(Qt::AlignCenter);
        CKeyRuleFilter::Install(edit, map::rec::kNameLength);
        editor = edit;
        break;
    }
    }
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    open_ = editor;
    return editor;
}

void CCellEditors::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->isEditable()) {
            ShowToneText(combo, text);
            if (combo->lineEdit()) combo->lineEdit()->selectAll();
        } else {
            combo->setCurrentIndex(combo->findData(text));
        }
    }
}

void CCellEditors::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* channels = qobject_cast<CChannelModel*>(model))
        channels->CommitEdit(index, EditorText(editor));
}

void CCellEditors::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    // Background, the chosen rows' highlight and the current cell's frame, as the style draws
    // them; the text after.
    cell.text.clear();
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    if (text.isEmpty()) return;

    constexpr int kKeptTexts = 4096;
    if (cell.font != laidOutFont_ || laidOut_.size() > kKeptTexts) {
        laidOut_.clear();
        laidOutFont_ = cell.font;
    }
    auto kept = laidOut_.find(text);
    if (kept == laidOut_.end()) {
        kept = laidOut_.insert(text, QStaticText(text));
        kept->setTextFormat(Qt::PlainText);
        kept->prepare(painter->transform(), cell.font);
    }
    const bool enabled = cell.state & QStyle::State_Enabled;
    const QPalette::ColorGroup group = !enabled                              ? QPalette::Disabled
                                       : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    const QSizeF size = kept->size();
    painter->save();
    painter->setClipRect(room, Qt::IntersectClip);
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(
        group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(QPointF(room.x() + (room.width() - size.width()) / 2.0,
                                    room.y() + (room.height() - size.height()) / 2.0),
                            *kept);
    painter->restore();
}

void CCellEditors::CommitOpenEditor() {
    if (!open_) return;
    QWidget* editor = open_;
    open_ = nullptr;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool CCellEditors::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const bool empty = EditorText(editor).isEmpty();
            const EKind kind = IsNameEditor(editor)                             ? EKind::Name
                               : qobject_cast<QLineEdit*>(editor)               ? EKind::Frequency
                               : qobject_cast<QComboBox*>(editor)->isEditable() ? EKind::Tone
                                                                                : EKind::Choice;
            CommitOpenEditor();
            emit EnterPressed(kind, empty);
            return true;
        }
        // The editor stays open on Escape; it commits when it loses the focus like any other way.
        if (key->key() == Qt::Key_Escape) return true;
        if (qobject_cast<QLineEdit*>(editor) && !IsNameEditor(editor) && key->text().size() == 1 &&
            key->text()[0].unicode() >= 0x20 && key->text()[0].unicode() != 0x7F) {
            const char16_t c = key->text()[0].unicode();
            if (c > 0x7F || !IsFrequencyEditorChar(static_cast<char>(c))) return true;
        }
    }
    if (editor && event->type() == QEvent::FocusOut && open_ == editor) {
        // A combo box's own popup takes the focus while it is open; that is no commit yet.
        auto* combo = qobject_cast<QComboBox*>(editor);
        if (combo && combo->view() && combo->view()->isVisible()) return false;
        CommitOpenEditor();
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace tarsel::ui
