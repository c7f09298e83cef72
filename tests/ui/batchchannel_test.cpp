// The batch channel window: initial state and enable rules, the typing and leaving checks, apply
// keeping the window open, and every way of ending it without writing.
#include "ui/uitestsupport.h"

#include "core/image/channelrecord.h"
#include "ui/editors/batchchanneldialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tarsel;

class BatchChannelTest : public QObject {
    Q_OBJECT

    static void Open(QDialog& dialog) { QVERIFY(test::ShowActive(dialog)); }
    template <class T = QLineEdit> static T* Find(QDialog& dialog, int id) {
        return dialog.findChild<T*>(QString::number(id));
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void opensWithTheInitialStateAndFollowsTheEnableRules() {
        test::CToolState state;
        ui::CBatchChannelDialog dialog(state, {});
        Open(dialog);
        QVERIFY(Find<QRadioButton>(dialog, 1229)->isChecked());
        QCOMPARE(Find(dialog, 1235)->text(), QStringLiteral("136.00000"));
        QCOMPARE(Find(dialog, 1234)->text(), QStringLiteral("0.00000"));
        QVERIFY(!Find(dialog, 1230)->isEnabled());
        QVERIFY(!Find(dialog, 1234)->isEnabled());
        QVERIFY(!Find(dialog, 1157)->isEnabled());
        QVERIFY(!Find<QCheckBox>(dialog, 1221)->isEnabled());
        QCOMPARE(Find<QComboBox>(dialog, 1154)->count(), 10);

        QTest::mouseClick(Find<QRadioButton>(dialog, 1239), Qt::LeftButton);
        QCOMPARE(Find(dialog, 1230)->text(), QStringLiteral("129"));
        QTest::mouseClick(Find<QRadioButton>(dialog, 1228), Qt::LeftButton);
        QVERIFY(Find(dialog, 1230)->isEnabled());
        QTest::mouseClick(Find<QRadioButton>(dialog, 1225), Qt::LeftButton);
        QVERIFY(Find<QComboBox>(dialog, 1144)->isEnabled());
        QTest::mouseClick(Find<QCheckBox>(dialog, 1221), Qt::LeftButton);
        QVERIFY(!Find<QComboBox>(dialog, 1144)->isEnabled());
    }

    void fieldChecksWhileTypingAndOnLeaving() {
        test::CToolState state;
        ui::CBatchChannelDialog dialog(state, {});
        Open(dialog);
        QLineEdit* step = Find(dialog, 1156);
        Type(step, QStringLiteral("1001"));
        QCOMPARE(step->text(), QStringLiteral("1000"));
        Type(step, QStringLiteral("1a2"));
        QCOMPARE(step->text(), QStringLiteral("12"));
        Find(dialog, 1235)->setFocus();
        QCOMPARE(step->text(), QStringLiteral("12.5"));

        QLineEdit* start = Find(dialog, 1235);
        Type(start, QStringLiteral("145.5"));
        Find(dialog, 1147)->setFocus();
        QCOMPARE(start->text(), QStringLiteral("145.50000"));
        start->setFocus();
        start->clear();
        Find(dialog, 1147)->setFocus();
        QCOMPARE(start->text(), QStringLiteral("145.50000")); // what it had on getting the focus

        QLineEdit* interval = Find(dialog, 1159);
        Type(interval, QStringLiteral("25"));
        QCOMPARE(interval->text(), QStringLiteral("20"));
    }

    void applyWritesRefreshesAndStaysOpen() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        int refills = 0;
        ui::CBatchChannelDialog dialog(state, [&refills] { ++refills; });
        Open(dialog);
        QTest::mouseClick(Find<QRadioButton>(dialog, 1239), Qt::LeftButton);
        Type(Find(dialog, 1235), QStringLiteral("400"));
        Type(Find(dialog, 1156), QStringLiteral("25"));
        QTest::mouseClick(Find<QPushButton>(dialog, 1236), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(refills, 1);
        QCOMPARE(ReceiveFrequency(state.image, 129), 40000000);
        QCOMPARE(ReceiveFrequency(state.image, 130), 40002500);
        QVERIFY(IsEmptyRecord(state.image, 128));
        QVERIFY(IsEmptyRecord(state.image, 257));
    }

    void cancelEscapeAndEnterEndWithoutWriting() {
        for (int way = 0; way < 3; ++way) {
            test::CToolState state;
            state.image = BuildDefaultImage();
            const CMemoryImage before = state.image;
            ui::CBatchChannelDialog dialog(state, {});
            Open(dialog);
            Type(Find(dialog, 1235), QStringLiteral("145"));
            if (way == 0) QTest::mouseClick(Find<QPushButton>(dialog, 1237), Qt::LeftButton);
            if (way == 1) QTest::keyClick(Find(dialog, 1235), Qt::Key_Escape);
            if (way == 2) QTest::keyClick(Find(dialog, 1235), Qt::Key_Return);
            QVERIFY2(!dialog.isVisible(), qPrintable(QString::number(way)));
            QVERIFY(state.image == before);
        }
    }
};

TARSEL_UI_TEST_MAIN(BatchChannelTest)
#include "batchchannel_test.moc"
