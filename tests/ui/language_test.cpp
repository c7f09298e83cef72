// Which language the program starts in, and what the View menu's choice remembers.
#include "ui/shell/language.h"
#include "ui/uitestsupport.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

namespace tarsel::test {

using ui::ELanguage;

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings().remove(QStringLiteral("language")); }

    void theCommandLineThenTheMenuThenTheLocaleDecide() {
        const std::optional<ELanguage> none;
        const struct {
            std::optional<ELanguage> commandLine;
            const char* remembered;
            const char* locale;
            ELanguage expected;
        } cases[] = {
            {none, "", "zh_CN", ELanguage::Chinese},
            {none, "", "zh_TW", ELanguage::Chinese},
            {none, "", "zh", ELanguage::Chinese},
            {none, "", "en_US", ELanguage::English},
            {none, "", "de_DE", ELanguage::English},
            {none, "", "C", ELanguage::English},
            {none, "", "", ELanguage::English},
            {none, "en", "zh_CN", ELanguage::English},
            {none, "zh", "en_GB", ELanguage::Chinese},
            {none, "fr", "zh_CN", ELanguage::Chinese}, // a damaged setting falls back to the locale
            {ELanguage::English, "zh", "zh_CN", ELanguage::English},
            {ELanguage::Chinese, "en", "en_US", ELanguage::Chinese},
        };
        for (const auto& c : cases) {
            const ELanguage chosen = ui::ChooseLanguage(
                c.commandLine, QString::fromLatin1(c.remembered), QString::fromLatin1(c.locale));
            QVERIFY2(chosen == c.expected, c.locale);
        }
    }

    void onlyZhAndEnAreLanguages() {
        const std::pair<const char*, std::optional<ELanguage>> cases[] = {
            {"zh", ELanguage::Chinese}, {"en", ELanguage::English}, {"", std::nullopt},
            {"EN", std::nullopt},       {"zh_CN", std::nullopt},    {"english", std::nullopt},
        };
        for (const auto& [code, expected] : cases) {
            QVERIFY2(ui::ParseLanguage(QString::fromLatin1(code)) == expected, code);
            if (expected) QCOMPARE(ui::LanguageCode(*expected), QString::fromLatin1(code));
        }
    }

    // Each entry is named in its own language; choosing one remembers it and ticks only it.
    void theMenuRemembersTheChoiceForTheNextStart() {
        QWidget parent;
        ui::CLanguageMenu languages(&parent);
        QList<QAction*> entries = languages.Menu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("中文"));
        QCOMPARE(entries[1]->text(), QStringLiteral("English"));
        QVERIFY(!entries[0]->statusTip().isEmpty());
        std::vector<ELanguage> chosen;
        connect(&languages, &ui::CLanguageMenu::Chosen, this,
                [&](ELanguage language) { chosen.push_back(language); });
        entries[1]->trigger();
        QCOMPARE(ui::RememberedLanguage(), QStringLiteral("en"));
        QVERIFY(entries[1]->isChecked() && !entries[0]->isChecked());
        entries[0]->trigger();
        QCOMPARE(ui::RememberedLanguage(), QStringLiteral("zh"));
        QVERIFY(entries[0]->isChecked() && !entries[1]->isChecked());
        QCOMPARE(chosen, (std::vector{ELanguage::English, ELanguage::Chinese}));
    }
};

} // namespace tarsel::test

TARSEL_UI_TEST_MAIN(tarsel::test::LanguageTest)
#include "language_test.moc"
