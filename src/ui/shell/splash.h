// The start-up picture: shown for a second, or until the first key or click anywhere in the
// program, which it swallows.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace tarsel::ui {

class CSplash : public QWidget {
    Q_OBJECT
public:
    // Shows picture centred on the screen for durationMs.
    CSplash(const QPixmap& picture, int durationMs);
    ~CSplash() override;

    // nullptr when the picture cannot be loaded: then there is no splash and no wait.
    static CSplash* ShowIfPresent(const QString& path, int durationMs = 1000);

signals:
    void Dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Dismiss();

    QPixmap picture_;
    bool dismissed_ = false;
};

} // namespace tarsel::ui
