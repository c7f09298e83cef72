// What the DTMF editor asks of each of its pages: LoadFields (image to controls, then the page's
// corrections) and StoreFields (the corrections, then controls to image).
#pragma once

#include <QWidget>

class QGridLayout;
class QKeyEvent;

namespace tarsel::ui {

class CDtmfPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void LoadFields() = 0;
    virtual void StoreFields() = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The page's captioned fields, centred on the page.
    QGridLayout* CentredForm();
};

} // namespace tarsel::ui
