#include "ui/shell/splash.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace tarsel::ui {

CSplash::CSplash(const QPixmap& picture, int durationMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.deviceIndependentSize().toSize());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(durationMs, this, &CSplash::Dismiss);
}

CSplash::~CSplash() { qApp->removeEventFilter(this); }

CSplash* CSplash::ShowIfPresent(const QString& path, int durationMs) {
    QPixmap picture;
    if (!picture.load(path) || picture.isNull()) return nullptr;
    auto* splash = new CSplash(picture, durationMs);
    splash->show();
    return splash;
}

void CSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

bool CSplash::eventFilter(QObject*, QEvent* event) {
    if (dismissed_) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        Dismiss();
        return true; // the key or click only ends the splash
    default:
        return false;
    }
}

void CSplash::Dismiss() {
    if (dismissed_) return;
    dismissed_ = true;
    qApp->removeEventFilter(this);
    emit Dismissed();
    close();
}

} // namespace tarsel::ui
