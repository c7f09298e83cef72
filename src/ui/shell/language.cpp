#include "ui/shell/language.h"

#include <QActionGroup>
#include <QApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QSettings>

namespace tarsel::ui {

namespace {

const QString kLanguageKey = QStringLiteral("language");
constexpr char kRunningProperty[] = "tarselLanguage";

} // namespace

std::optional<ELanguage> ParseLanguage(const QString& code) {
    if (code == QLatin1String("zh")) return ELanguage::Chinese;
    if (code == QLatin1String("en")) return ELanguage::English;
    return std::nullopt;
}

QString LanguageCode(ELanguage language) {
    return language == ELanguage::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}

ELanguage LanguageOfLocale(const QString& localeName) {
    return localeName.startsWith(QLatin1String("zh")) ? ELanguage::Chinese : ELanguage::English;
}

ELanguage ChooseLanguage(std::optional<ELanguage> commandLine, const QString& remembered,
                         const QString& localeName) {
    if (commandLine) return *commandLine;
    if (const auto chosen = ParseLanguage(remembered)) return *chosen;
    return LanguageOfLocale(localeName);
}

QString RememberedLanguage() { return QSettings().value(kLanguageKey).toString(); }

void RememberLanguage(ELanguage language) {
    QSettings().setValue(kLanguageKey, LanguageCode(language));
}

ELanguage RunningLanguage() {
    return ParseLanguage(QCoreApplication::instance()->property(kRunningProperty).toString())
        .value_or(ELanguage::Chinese);
}

void CTranslations::Install(ELanguage language) {
    QCoreApplication::instance()->setProperty(kRunningProperty, LanguageCode(language));
    if (language == ELanguage::English) {
        if (program_.load(QStringLiteral(":/i18n/tarsel_en.qm")))
            QCoreApplication::installTranslator(&program_);
        return;
    }
    // The program's texts are Chinese already; only Qt's own buttons and dialogs need it.
    if (qt_.load(QStringLiteral("qtbase_zh_CN"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
}

CLanguageMenu::CLanguageMenu(QWidget* parent)
    : QObject(parent), menu_(new QMenu(tr("语言"), parent)) {
    menu_->setObjectName(QStringLiteral("menuLanguage"));
    auto* group = new QActionGroup(menu_);
    const ELanguage ticked = ParseLanguage(RememberedLanguage()).value_or(RunningLanguage());
    // Each language is named in itself, so a user who cannot read the current one finds theirs.
    const std::pair<ELanguage, QString> entries[] = {
        {ELanguage::Chinese, QStringLiteral("中文")},
        {ELanguage::English, QStringLiteral("English")}};
    for (const auto& [language, name] : entries) {
        QAction* action = menu_->addAction(name);
        action->setObjectName(QStringLiteral("language_") + LanguageCode(language));
        action->setCheckable(true);
        action->setChecked(language == ticked);
        action->setStatusTip(tr("界面语言，下次启动时生效"));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language = language] {
            RememberLanguage(language);
            emit Chosen(language);
        });
    }
}

} // namespace tarsel::ui
