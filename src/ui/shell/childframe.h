// The window around a channel list. Closing it only hides it: the document and its list stay.
#pragma once

#include <QMdiSubWindow>

namespace tarsel::ui {

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tarsel::ui
