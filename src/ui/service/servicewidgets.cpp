#include "ui/service/servicewidgets.h"

#include "ui/shell/prompter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarsel::ui {

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
