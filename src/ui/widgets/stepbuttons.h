// The up/down button pair of the forms' number fields. The buttons hold no value: a click (or the
// Up and Down keys in the field) steps the field by its own rule, or reports the step to the window
// when the window decides what a step does.
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <string_view>

class QLineEdit;

namespace tarsel::ui {

class CStepButtons : public QWidget {
    Q_OBJECT
public:
    using CStepRule = std::function<std::string(std::string_view text, int step)>;

    // Beside buddy: each step replaces the buddy's text by what rule makes of it. The buttons never
    // take the focus, so an in-place editor they sit on stays open.
    CStepButtons(QLineEdit* buddy, CStepRule rule, const QString& objectId, QWidget* parent);
    // Steps only reported through Stepped. A click takes the focus, so that the field being edited
    // runs its check before the window steps.
    CStepButtons(const QString& objectId, QWidget* parent);

    void Step(int step);

signals:
    void Stepped(int step);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void AddButtons(Qt::FocusPolicy focus);

    QLineEdit* buddy_ = nullptr;
    CStepRule rule_;
};

} // namespace tarsel::ui
