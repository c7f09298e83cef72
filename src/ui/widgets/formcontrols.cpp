#include "ui/widgets/formcontrols.h"

#include "ui/widgets/choicelist.h"
#include "ui/widgets/coretext.h"
#include "ui/widgets/ruledit.h"
#include "ui/widgets/stepbuttons.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

namespace tarsel::ui {

namespace {

QString Corrected(CLeaveRule rule, const QString& text) {
    return QString::fromStdString(rule(text.toStdString()));
}

// Leaving the edit corrects its text by the row's rule.
class CLeaveFilter : public QObject {
public:
    CLeaveFilter(QLineEdit* edit, CLeaveRule rule) : QObject(edit), edit_(edit), rule_(rule) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == edit_ && event->type() == QEvent::FocusOut)
            edit_->setText(Corrected(rule_, edit_->text()));
        return false;
    }

private:
    QLineEdit* edit_;
    CLeaveRule rule_;
};

QLineEdit* MakeEdit(const CFormField& field, QWidget* parent) {
    const QString id = QString::number(field.controlId);
    if (field.maxLength == 0) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(id);
        edit->setReadOnly(true);
        return edit;
    }
    QLineEdit* edit = MakeRuledEdit(id, field.maxLength, KeysOf(field.keys), parent);
    if (field.leave) edit->installEventFilter(new CLeaveFilter(edit, field.leave));
    return edit;
}

CInPlaceGrid* MakeColumn(const CFormField& field, CColumnLook look, QWidget* parent) {
    look.behaviour.editorMaxLength = field.maxLength;
    look.behaviour.editorRule = KeysOf(field.keys);
    if (field.leave)
        look.behaviour.commitCorrection = [rule = field.leave](const QString& text) {
            return Corrected(rule, text);
        };
    const QString caption = CoreText(field.caption);
    auto* grid =
        new CInPlaceGrid({CoreText(field.numberTitle), caption}, field.rows, field.firstNumber,
                         QString::number(field.controlId), look.behaviour, parent);
    grid->SetColumnTwips(look.numberTwips, look.valueTwips);
    return grid;
}

} // namespace

CFormControls::CFormControls(std::span<const CFormField> table, QWidget* parent,
                             CColumnLook column) {
    for (const CFormField& field : table) {
        CControl control{&field, nullptr};
        switch (field.kind) {
        case EFieldKind::List:
            control.widget =
                MakeChoiceList(QString::number(field.controlId), Entries(field.entries), parent);
            break;
        case EFieldKind::Edit: {
            QLineEdit* edit = MakeEdit(field, parent);
            control.widget = edit;
            if (field.step)
                control.steps =
                    new CStepButtons(edit, field.step, QString::number(field.stepId), parent);
            break;
        }
        case EFieldKind::Column:
            control.widget = MakeColumn(field, column, parent);
            break;
        case EFieldKind::Button: {
            auto* button = new QPushButton(CoreText(field.caption), parent);
            button->setObjectName(QString::number(field.controlId));
            button->setAutoDefault(false);
            control.widget = button;
            break;
        }
        }
        for (QWidget* widget : {control.widget, static_cast<QWidget*>(control.steps)}) {
            if (!widget) continue;
            widget->setAccessibleName(CoreText(field.caption));
            if (field.hidden) widget->hide();
        }
        controls_.push_back(control);
    }
}

const CFormControls::CControl& CFormControls::Of(int id) const {
    for (const CControl& control : controls_)
        if (control.field->controlId == id) return control;
    throw std::out_of_range("no control " + std::to_string(id) + " in the form's table");
}

QString CFormControls::Caption(int id) const { return CoreText(Of(id).field->caption); }
QWidget* CFormControls::Control(int id) const { return Of(id).widget; }
void CFormControls::Show(const std::function<CFieldSlot(int)>& slotOf) const {
    for (const CControl& control : controls_) {
        const CFieldSlot slot = slotOf(control.field->controlId);
        if (auto* list = qobject_cast<QComboBox*>(control.widget); list && slot.list)
            list->setCurrentIndex(*slot.list);
        if (auto* edit = qobject_cast<QLineEdit*>(control.widget); edit && slot.edit)
            edit->setText(QString::fromStdString(*slot.edit));
    }
}

void CFormControls::Collect(const std::function<CFieldSlot(int)>& slotOf) const {
    for (const CControl& control : controls_) {
        const CFieldSlot slot = slotOf(control.field->controlId);
        if (auto* list = qobject_cast<QComboBox*>(control.widget); list && slot.list)
            *slot.list = list->currentIndex();
        if (auto* edit = qobject_cast<QLineEdit*>(control.widget); edit && slot.edit)
            *slot.edit = edit->text().toStdString();
    }
}

QComboBox* CFormControls::List(int id) const { return qobject_cast<QComboBox*>(Control(id)); }
QLineEdit* CFormControls::Edit(int id) const { return qobject_cast<QLineEdit*>(Control(id)); }
CInPlaceGrid* CFormControls::Column(int id) const {
    return qobject_cast<CInPlaceGrid*>(Control(id));
}
QPushButton* CFormControls::Button(int id) const { return qobject_cast<QPushButton*>(Control(id)); }

void CFormControls::AddRow(QGridLayout* grid, int id, CGridPlace place) const {
    const CControl& control = Of(id);
    AddCaptionedRow(grid, Caption(id), control.widget, control.steps, place);
}

void CFormControls::LayOut(QGridLayout* grid) const {
    for (const CControl& control : controls_) {
        if (control.field->hidden) continue;
        // An empty grid still counts one row.
        const int next = grid->count() == 0 ? 0 : grid->rowCount();
        switch (control.field->kind) {
        case EFieldKind::List:
        case EFieldKind::Edit:
            AddRow(grid, control.field->controlId);
            break;
        case EFieldKind::Column:
            grid->addWidget(control.widget, next, 0, 1, 2, Qt::AlignHCenter);
            break;
        case EFieldKind::Button:
            grid->addWidget(control.widget, next, 1);
            break;
        }
    }
}

} // namespace tarsel::ui
