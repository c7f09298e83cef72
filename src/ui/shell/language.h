// The interface language: Chinese (the source texts) or English. Chosen once at start-up from
// the command line, else the remembered choice, else the locale; the View menu's choice applies
// from the next start, since every window builds its texts once.
#pragma once

#include <QObject>
#include <QTranslator>

#include <optional>

class QMenu;
class QString;
class QWidget;

namespace tarsel::ui {

enum class ELanguage { Chinese, English };

// "zh" or "en" (as on the command line and in the settings); anything else is no language.
std::optional<ELanguage> ParseLanguage(const QString& code);
QString LanguageCode(ELanguage language);

// zh, zh_CN, zh_TW.UTF-8 ... are Chinese; every other locale gets English.
ELanguage LanguageOfLocale(const QString& localeName);

// The command line wins, then the choice remembered from the menu, then the locale.
ELanguage ChooseLanguage(std::optional<ELanguage> commandLine, const QString& remembered,
                         const QString& localeName);

QString RememberedLanguage();
void RememberLanguage(ELanguage language);

// The translators of the program and of Qt's own dialogs; they stay installed while this lives.
class CTranslations {
public:
    void Install(ELanguage language);

private:
    QTranslator program_;
    QTranslator qt_;
};

// 语言: one checkable entry per language, each shown in its own language. The entry of the
// remembered choice (else of the running language) is ticked; choosing one remembers it.
// The language the running program speaks (Chinese until a translation is installed).
ELanguage RunningLanguage();

class CLanguageMenu : public QObject {
    Q_OBJECT
public:
    explicit CLanguageMenu(QWidget* parent);
    QMenu* Menu() const { return menu_; }

signals:
    void Chosen(ELanguage language);

private:
    QMenu* menu_;
};

} // namespace tarsel::ui
