// The model dialog: the correction on leaving a field, and the store on every way of closing.
#include "ui/uitestsupport.h"

#include "ui/radiolink/modeldialog.h"

#include <QLineEdit>

using namespace tarsel;

class ModelDialogTest : public QObject {
    Q_OBJECT

    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void leavingAFieldCorrectsItsPair() {
        test::CToolState state;
        state.modelText = "TZ-316";
        ui::CModelDialog dialog(state, state);
        QVERIFY(test::ShowActive(dialog));
        QCOMPARE(dialog.Field(1037)->text(), QStringLiteral("TZ-316"));
        QVERIFY(dialog.Field(1037)->isReadOnly());
        dialog.Field(1039)->setText(QStringLiteral("300"));
        Type(dialog.Field(1038), QStringLiteral("150"));
        dialog.Field(1040)->setFocus(); // leaving 1038 corrects its pair
        QCOMPARE(dialog.Field(1039)->text(), QStringLiteral("174"));
        Type(dialog.Field(1041), QStringLiteral("999"));
        dialog.Field(1040)->setFocus(); // leaving the upper field
        QCOMPARE(dialog.Field(1041)->text(), QStringLiteral("520"));
        // Only three digits can be typed.
        Type(dialog.Field(1040), QStringLiteral("4101"));
        QCOMPARE(dialog.Field(1040)->text(), QStringLiteral("410"));
    }

    void enterAndEscapeDoNotCloseAndClosingStores() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        ui::CModelDialog dialog(state, state);
        QVERIFY(test::ShowActive(dialog));
        dialog.Field(1038)->setFocus();
        QTest::keyClick(dialog.Field(1038), Qt::Key_Return);
        QTest::keyClick(dialog.Field(1038), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        Type(dialog.Field(1040), QStringLiteral("420"));
        dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(state.bandLimits.low[1], 42000000);
        QCOMPARE(DecodeFrequencyField(state.image.Field<4>(0x2E18)), int64_t(42000000));
        QCOMPARE(DecodeFrequencyField(state.image.Field<4>(0x2E10)), int64_t(13600000));
    }

    void aDamagedLimitIsShownWholeThenCorrected() {
        test::CToolState state;
        state.bandLimits.low[0] = 166666665;
        ui::CModelDialog dialog(state, state);
        QCOMPARE(dialog.Field(1038)->text(), QStringLiteral("1666"));
        dialog.show();
        dialog.close();
        QCOMPARE(state.bandLimits.low[0], 13600000);
    }
};

TARSEL_UI_TEST_MAIN(ModelDialogTest)
#include "modeldialog_test.moc"
