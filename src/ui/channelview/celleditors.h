// The grid's four in-place editors: frequency (an edit box that only takes digits and the
// point), tone (an editable list of the 265 tone texts), choice (a fixed list per column) and
// name (an edit box for 7 printable ASCII characters).
// Each commits through the model when it loses the focus.
#pragma once

#include <QFont>
#include <QHash>
#include <QPointer>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace tarsel::ui {

class CCellEditors : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class EKind { Frequency, Tone, Choice, Name };
    using QStyledItemDelegate::QStyledItemDelegate;

    static EKind KindOfColumn(int column); // grid column 1..9

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    // As the style paints a cell, with each text laid out once and kept: a list shows few
    // different texts, and laying them out again is most of the cost of painting it.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Commits and closes the editor that is open, if any: every use of the image starts here.
    void CommitOpenEditor();
    QWidget* OpenEditor() const { return open_; }

signals:
    // Enter was pressed in an editor; the view moves on once the editor has committed.
    void EnterPressed(CCellEditors::EKind kind, bool textEmpty);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable QPointer<QWidget> open_;
    mutable QHash<QString, QStaticText> laidOut_;
    mutable QFont laidOutFont_;
};

} // namespace tarsel::ui
