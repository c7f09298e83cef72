// Every question and message the shell puts to the user goes through here, so that tests can
// answer them without a modal loop.
#pragma once

#include <QString>

class QWidget;

namespace tarsel::ui {

class CPrompter {
public:
    enum class EAnswer { Ok, Cancel, Yes, No };
    virtual ~CPrompter() = default;
    // "所有数据将会被清除！" and the like: OK or Cancel.
    virtual EAnswer AskOkCancel(QWidget* parent, const QString& text);
    // Save before closing: Yes, No or Cancel.
    virtual EAnswer AskYesNoCancel(QWidget* parent, const QString& text);
    // A failure: the program's own text, and the cause as detail.
    virtual void ShowError(QWidget* parent, const QString& text, const QString& detail = {});
    virtual void ShowInformation(QWidget* parent, const QString& text);
    // "密码": whether the service password was given.
    virtual bool AskServicePassword(QWidget* parent);
};

} // namespace tarsel::ui
