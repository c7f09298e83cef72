#include "ui/dtmf/dtmfpage.h"

#include "ui/widgets/keyfilter.h"

#include <QGridLayout>
#include <QKeyEvent>

namespace tarsel::ui {

void CDtmfPage::keyPressEvent(QKeyEvent* event) {
    if (IsEnterOrEscape(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QGridLayout* CDtmfPage::CentredForm() {
    auto* outer = new QGridLayout(this);
    auto* form = new QGridLayout;
    form->setColumnMinimumWidth(1, 160);
    outer->addLayout(form, 1, 1);
    outer->setRowStretch(0, 1);
    outer->setRowStretch(2, 1);
    outer->setColumnStretch(0, 1);
    outer->setColumnStretch(2, 1);
    return form;
}

} // namespace tarsel::ui
