// The program under a locale with a decimal comma: the application object takes the user's locale
// for everything but numbers, which the radio's texts write with a point.
#include "ui/uitestsupport.h"

#include "commalocale.h"
#include "core/editors/batchform.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

using namespace tarsel;

class LocaleTest : public QObject {
    Q_OBJECT
private slots:
    void theUsersLocaleIsInForceForTexts() {
        // Otherwise the cases below would pass whatever the application object did.
        QCOMPARE(QString::fromLatin1(std::setlocale(LC_MONETARY, nullptr)),
                 QString::fromLatin1(test::CCommaLocale::kName));
        QCOMPARE(QString::fromLatin1(std::localeconv()->mon_decimal_point), QStringLiteral(","));
    }

    void numbersAreWrittenAndReadWithAPoint() {
        QCOMPARE(QString::fromLatin1(std::setlocale(LC_NUMERIC, nullptr)), QStringLiteral("C"));
        const std::pair<std::string, std::string> cases[] = {
            {CheckStep("12.5"), "12.5"}, // the batch dialog's step, "%G"
            {CheckStep("6.25"), "6.25"},
        };
        for (const auto& [shown, expected] : cases)
            QCOMPARE(QString::fromStdString(shown), QString::fromStdString(expected));
        QCOMPARE(std::strtod("12.5", nullptr), 12.5);
    }
};

int main(int argc, char** argv) {
    const test::CCommaLocale comma;
    if (!comma.Ok()) return 1;
    ::setenv("LC_ALL", test::CCommaLocale::kName, 1);
    return test::RunUiTest<LocaleTest>(argc, argv);
}

#include "locale_test.moc"
