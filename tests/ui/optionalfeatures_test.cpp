// The optional features window: lists filled from the table, the professional mode rule, the
// greeting's typing filter, and the store on every way of closing.
#include "ui/uitestsupport.h"

#include "core/image/memorymap.h"
#include "ui/editors/optionalfeaturesdialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

using namespace tarsel;

class OptionalFeaturesTest : public QObject {
    Q_OBJECT

    static void Open(ui::COptionalFeaturesDialog& dialog) { QVERIFY(test::ShowActive(dialog)); }
    static QComboBox* List(QDialog& dialog, int id) {
        return dialog.findChild<QComboBox*>(QString::number(id));
    }

private slots:
    void escapeStoresEverySetting() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        state.image[map::kDualWatchTime] = 123;
        ui::COptionalFeaturesDialog dialog(state);
        Open(dialog);
        QCOMPARE(List(dialog, 1171)->currentText(), QStringLiteral("30"));
        QCOMPARE(List(dialog, 1190)->currentText(), QStringLiteral("电压"));
        QCOMPARE(List(dialog, 1171)->accessibleName(), QStringLiteral("发射限时 (s)"));
        List(dialog, 1171)->setCurrentIndex(2);
        QTest::keyClick(List(dialog, 1171), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(state.image[map::kSettingsTimeOut], 2);
        QCOMPARE((state.image[map::kSettingsBits4D] >> 2) & 3, 1);
        QCOMPARE(state.image[map::kDualWatchTime], 123); // the hidden value passes through
    }

    void hiddenSettingsAreNeverShown() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        ui::COptionalFeaturesDialog dialog(state);
        Open(dialog);
        for (int id : {1172, 1194}) QVERIFY(List(dialog, id) && !List(dialog, id)->isVisible());
        QVERIFY(!dialog.findChild<QLineEdit*>(QStringLiteral("1192"))->isVisible());
        QVERIFY(List(dialog, 1161)->isVisible());
    }

    void professionalModeLocksMemoryMode() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        state.image[map::kSettingsBits4B] |= 0x01; // VFO
        ui::COptionalFeaturesDialog dialog(state);
        Open(dialog);
        QComboBox* vfoMr = List(dialog, 1180);
        QCOMPARE(vfoMr->currentText(), QStringLiteral("VFO"));
        QVERIFY(vfoMr->isEnabled());
        QComboBox* professional = List(dialog, 1185);
        professional->setFocus();
        QTest::keyClick(professional, Qt::Key_Down); // "关" -> "开"
        QCOMPARE(professional->currentText(), QStringLiteral("开"));
        QCOMPARE(vfoMr->currentText(), QStringLiteral("MR"));
        QVERIFY(!vfoMr->isEnabled());
        dialog.close();
        QCOMPARE(state.image[map::kSettingsBits4B] & 0x01, 0);
        QCOMPARE(state.image[map::kSettingsBits4A] & 0x02, 0x02);
    }

    void greetingTypesPrintableCharactersAndEnterStores() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        ui::COptionalFeaturesDialog dialog(state);
        Open(dialog);
        auto* greeting = dialog.findChild<QLineEdit*>(QStringLiteral("1191"));
        greeting->setFocus();
        greeting->selectAll();
        QTest::keyClick(greeting, 'A');
        QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("中"));
        QApplication::sendEvent(greeting, &chinese);
        QTest::keyClick(greeting, 'B');
        QCOMPARE(greeting->text(), QStringLiteral("AB"));
        QTest::keyClicks(greeting, QStringLiteral("CDEFGHIJ"));
        QCOMPARE(greeting->text(), QStringLiteral("ABCDEFG"));
        greeting->setText(QStringLiteral("AB"));
        QTest::keyClick(greeting, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        const uint8_t expected[] = {0x41, 0x42, 0x20, 0x20, 0x20, 0x20, 0x20};
        for (int i = 0; i < 7; ++i) QCOMPARE(state.image[map::kGreeting + i], expected[i]);
    }
};

TARSEL_UI_TEST_MAIN(OptionalFeaturesTest)
#include "optionalfeatures_test.moc"
