// What the desktop tests share: a prompter that answers from a script, and a program started in a
// folder of its own.
#pragma once

#include "core/image/bcd.h"
#include "core/image/channeltable.h"
#include "core/image/datafile.h"
#include "ui/shell/application.h"
#include "ui/shell/prompter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

namespace tarsel::test {

class CScriptedPrompter : public ui::CPrompter {
public:
    std::deque<EAnswer> answers; // given in order; Cancel when the script runs out
    QStringList asked;
    QStringList errors;

    EAnswer AskOkCancel(QWidget*, const QString& text) override { return Next(text); }
    EAnswer AskYesNoCancel(QWidget*, const QString& text) override { return Next(text); }
    void ShowError(QWidget*, const QString& text, const QString& detail) override {
        errors << text + QStringLiteral(" | ") + detail;
    }
    void ShowInformation(QWidget*, const QString& text) override { asked << text; }
    std::deque<bool> passwords; // whether the right password is given, in order
    bool AskServicePassword(QWidget*) override {
        asked << QStringLiteral("密码");
        if (passwords.empty()) return false;
        const bool right = passwords.front();
        passwords.pop_front();
        return right;
    }

private:
    EAnswer Next(const QString& text) {
        asked << text;
        if (answers.empty()) return EAnswer::Cancel;
        const EAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A program whose folder (Default.dat, background.bmp, Program.ini) is a fresh temporary one.
struct CTestProgram {
    QTemporaryDir folder;
    CScriptedPrompter* prompter = nullptr;
    std::unique_ptr<ui::CTarselApp> app;

    explicit CTestProgram(const QStringList& files = {}) {
        auto owned = std::make_unique<CScriptedPrompter>();
        prompter = owned.get();
        const std::filesystem::path dir = folder.path().toStdString();
        app = std::make_unique<ui::CTarselApp>(dir, dir / "Program.ini", std::move(owned));
        app->Start(files, false);
    }
    QString Path(const QString& name) const { return folder.filePath(name); }
};

} // namespace tarsel::test
