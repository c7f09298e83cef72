#include "ui/service/servicewidgets.h"

#include "ui/shell/prompter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarsel::ui {

CRuleStepButtons::CRuleStepButtons(QLineEdit* buddy, CRule rule, const QString& objectId,
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

void CRuleStepButtons::Step(int step) {
    buddy_->setText(QString::fromStdString(rule_(buddy_->text().toStdString(), step)));
    if (buddy_->hasFocus()) buddy_->selectAll();
}

bool CRuleStepButtons::eventFilter(QObject* object, QEvent* event) {
    if (object == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(object, event);
}

bool RunBlockingExchange(QWidget* parent, CPrompter& prompter,
                         const std::function<CExchangeResult()>& exchange) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CExchangeResult result = exchange();
    QApplication::restoreOverrideCursor();
    if (result.Done()) return true;
    const QString cause = QString::fromStdString(DescribeCause(result));
    if (result.outcome == EExchangeOutcome::PortNotOpened)
        prompter.ShowError(parent, QObject::tr("无法打开串口"), cause);
    else
        prompter.ShowError(parent, QObject::tr("通信出错"), cause);
    return false;
}

} // namespace tarsel::ui
