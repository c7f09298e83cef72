// The radio information window against the virtual radio.
#include "ui/uitestsupport.h"

#include "core/radiolink/settingsfile.h"
#include "ui/service/radioinfodialog.h"

#include <QLineEdit>
#include <QPushButton>

using namespace tarsel;

class RadioInfoDialogTest : public QObject {
    Q_OBJECT
private slots:
    void readShowsVersionsAndBands() {
        radiosim::CConfig config;
        config.firmware = {1, 2, 3};
        config.bandB = {40000000, 52000000};
        test::CServiceBench bench;
        bench.StartRadio(config);
        CSettingsFile(bench.Settings()).WriteText("Version", "v1", "V1.5");
        test::CScriptedPrompter& prompter = bench.prompter;
        ui::CRadioInfoDialog dialog(bench.state.portName, bench.Settings(), prompter);
        for (int id = 1038; id <= 1043; ++id) {
            QVERIFY(dialog.Field(id)->text().isEmpty());
            QVERIFY(dialog.Field(id)->isReadOnly());
        }
        QCOMPARE(dialog.Field(1042)->accessibleName(), QStringLiteral("MCU版本"));
        dialog.ReadButton()->click();
        QVERIFY(prompter.errors.isEmpty());
        QVERIFY(prompter.asked.isEmpty()); // no success message
        QCOMPARE(dialog.Field(1042)->text(), QStringLiteral("v1.2.3"));
        QCOMPARE(dialog.Field(1043)->text(), QStringLiteral("V1.5"));
        const char* limits[] = {"136", "174", "400", "520"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dialog.Field(1038 + i)->text(), QString::fromLatin1(limits[i]));
    }

    void failuresLeaveTheFields() {
        radiosim::CConfig config;
        config.faults.silent = true;
        test::CServiceBench bench;
        bench.StartRadio(config);
        test::CScriptedPrompter& prompter = bench.prompter;
        ui::CRadioInfoDialog silent(bench.state.portName, bench.Settings(), prompter);
        silent.Field(1042)->setText(QStringLiteral("v9"));
        silent.ReadButton()->click();
        QCOMPARE(prompter.errors.size(), 1);
        QVERIFY(prompter.errors[0].startsWith(QStringLiteral("通信出错")));
        QCOMPARE(silent.Field(1042)->text(), QStringLiteral("v9"));
        ui::CRadioInfoDialog noPort("COM0", bench.Settings(), prompter);
        noPort.ReadButton()->click();
        QVERIFY(prompter.errors.last().startsWith(QStringLiteral("无法打开串口")));
    }
};

TARSEL_UI_TEST_MAIN(RadioInfoDialogTest)
#include "radioinfo_dialog_test.moc"
