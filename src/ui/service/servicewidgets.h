// What the service windows share: up/down buttons whose rule may depend on the field, and the
// blocking exchange with its busy cursor and messages.
#pragma once

#include "core/radiolink/exchange.h"

#include <QWidget>

#include <functional>
#include <string>
#include <string_view>

class QLineEdit;

namespace tarsel::ui {

class CPrompter;

// Up and down buttons (and the Up and Down keys in the edit) that rewrite the edit's text by the
// rule; they hold no value of their own.
class CRuleStepButtons : public QWidget {
    Q_OBJECT
public:
    using CRule = std::function<std::string(std::string_view text, int step)>;
    CRuleStepButtons(QLineEdit* buddy, CRule rule, const QString& objectId, QWidget* parent);
    void Step(int step);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QLineEdit* buddy_;
    CRule rule_;
};

// Runs an exchange on the window's own thread under the busy cursor. A failure is reported with
// "无法打开串口" or "通信出错" and its cause; success is left to the caller. Returns whether done.
bool RunBlockingExchange(QWidget* parent, CPrompter& prompter,
                         const std::function<CExchangeResult()>& exchange);

} // namespace tarsel::ui
