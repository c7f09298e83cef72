#include "ui/widgets/stepbuttons.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

constexpr int kButtonWidth = 18;

} // namespace

CStepButtons::CStepButtons(QLineEdit* buddy, CStepRule rule, const QString& objectId,
                           QWidget* parent)
    : QWidget(parent), buddy_(buddy), rule_(std::move(rule)) {
    setObjectName(objectId);
    AddButtons(Qt::NoFocus);
    for (QToolButton* button : findChildren<QToolButton*>())
        button->setFixedSize(kButtonWidth, buddy->sizeHint().height() / 2);
    buddy->installEventFilter(this);
}

CStepButtons::CStepButtons(const QString& objectId, QWidget* parent) : QWidget(parent) {
    setObjectName(objectId);
    AddButtons(Qt::ClickFocus);
    for (QToolButton* button : findChildren<QToolButton*>())
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void CStepButtons::AddButtons(Qt::FocusPolicy focus) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        Qt::ArrowType arrow;
        int step;
        QString name;
    } buttons[] = {{Qt::UpArrow, 1, tr("增加")}, {Qt::DownArrow, -1, tr("减少")}};
    for (const auto& b : buttons) {
        auto* button = new QToolButton(this);
        button->setArrowType(b.arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(focus);
        button->setAccessibleName(b.name);
        layout->addWidget(button);
        const int step = b.step;
        connect(button, &QToolButton::clicked, this, [this, step] { Step(step); });
    }
}

void CStepButtons::Step(int step) {
    if (buddy_ && rule_) {
        buddy_->setText(QString::fromStdString(rule_(buddy_->text().toStdString(), step)));
        if (buddy_->hasFocus()) buddy_->selectAll();
    }
    emit Stepped(step);
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

} // namespace tarsel::ui
