// What the service windows share: the blocking exchange with its busy cursor and messages. Their
// up/down buttons are the forms' CStepButtons.
#pragma once

#include "core/radiolink/exchange.h"
#include "ui/dtmf/formwidgets.h"

#include <QWidget>

#include <functional>

namespace tarsel::ui {

class CPrompter;

// Runs an exchange on the window's own thread under the busy cursor. A failure is reported with
// "无法打开串口" or "通信出错" and its cause; success is left to the caller. Returns whether done.
bool RunBlockingExchange(QWidget* parent, CPrompter& prompter,
                         const std::function<CExchangeResult()>& exchange);

} // namespace tarsel::ui
