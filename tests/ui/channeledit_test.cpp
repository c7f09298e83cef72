// The single channel window: checks on leaving a field, moves with the spin and the channel
// number, the store on closing, and the channel list's button that opens it.
#include "ui/uitestsupport.h"
#include "ui/shell/programdoc.h"

#include "core/image/channelrecord.h"
#include "core/image/frequency.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/editors/channeleditdialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace tarsel;

class ChannelEditTest : public QObject {
    Q_OBJECT

    static void Open(QDialog& dialog) { QVERIFY(test::ShowActive(dialog)); }
    static QLineEdit* Edit(QDialog& dialog, int id) {
        return dialog.findChild<QLineEdit*>(QString::number(id));
    }
    static QComboBox* List(QDialog& dialog, int id) {
        return dialog.findChild<QComboBox*>(QString::number(id));
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void typingAReceiveFrequencyCreatesTheChannel() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        ui::CChannelEditDialog dialog(state, 1);
        Open(dialog);
        QLineEdit* rx = Edit(dialog, 1142);
        QVERIFY(rx->isEnabled() && rx->text().isEmpty());
        QVERIFY(!Edit(dialog, 1143)->isEnabled());
        Type(rx, QStringLiteral("145.01x37"));
        QCOMPARE(rx->text(), QStringLiteral("145.0137"));
        Edit(dialog, 1140)->setFocus(); // leaving the receive field
        QCOMPARE(rx->text(), QStringLiteral("145.01250"));
        QCOMPARE(Edit(dialog, 1143)->text(), QStringLiteral("145.01250"));
        QVERIFY(Edit(dialog, 1143)->isEnabled());
        QCOMPARE(List(dialog, 1146)->currentText(), QStringLiteral("高"));
        QCOMPARE(List(dialog, 1145)->currentText(), QStringLiteral("无"));
    }

    void toneBoxNormalisesOnLeaving() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        EncodeFrequencyField(14500000, state.image.Field<4>(RecordOffset(3)));
        ui::CChannelEditDialog dialog(state, 3);
        Open(dialog);
        QComboBox* tone = List(dialog, 1145);
        tone->setFocus();
        tone->lineEdit()->selectAll();
        QTest::keyClicks(tone->lineEdit(), QStringLiteral("d23i"));
        Edit(dialog, 1147)->setFocus();
        QCOMPARE(tone->currentText(), QStringLiteral("D023I"));
    }

    void spinStoresAndMovesAndClosingStores() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        ui::CChannelEditDialog dialog(state, 128);
        Open(dialog);
        QCOMPARE(Edit(dialog, 1140)->text(), QStringLiteral("A128"));
        Type(Edit(dialog, 1142), QStringLiteral("146"));
        QTest::keyClick(Edit(dialog, 1142), Qt::Key_Return); // the receive check, not a close
        QVERIFY(dialog.isVisible());
        Type(Edit(dialog, 1147), QStringLiteral("HOME"));
        auto arrows =
            dialog.findChild<QWidget*>(QStringLiteral("1141"))->findChildren<QToolButton*>();
        QCOMPARE(arrows.size(), 2);
        QTest::mouseClick(arrows[0], Qt::LeftButton); // up
        QCOMPARE(Edit(dialog, 1140)->text(), QStringLiteral("B001"));
        QCOMPARE(ReceiveFrequency(state.image, 128), 14600000);
        QTest::mouseClick(arrows[1], Qt::LeftButton); // back down
        QCOMPARE(Edit(dialog, 1147)->text(), QStringLiteral("HOME"));

        Type(Edit(dialog, 1142), QStringLiteral("147"));
        dialog.close(); // the field being edited is checked, then stored
        QCOMPARE(ReceiveFrequency(state.image, 128), 14700000);
    }

    void channelNumberFieldAndEscape() {
        test::CToolState state;
        state.image = BuildDefaultImage();
        ui::CChannelEditDialog dialog(state, 258);
        Open(dialog);
        QLineEdit* label = Edit(dialog, 1140);
        QCOMPARE(label->text(), QStringLiteral("B VFO")); // shown whole, though 4 can be typed
        Type(label, QStringLiteral("A1234"));
        QCOMPARE(label->text(), QStringLiteral("A123"));
        Type(label, QStringLiteral("257"));
        Edit(dialog, 1142)->setFocus();
        QCOMPARE(label->text(), QStringLiteral("A VFO"));
        QCOMPARE(dialog.Channel(), 257);
        Type(label, QStringLiteral("300"));
        Edit(dialog, 1142)->setFocus();
        QCOMPARE(label->text(), QStringLiteral("B VFO"));

        QTest::keyClick(label, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        Edit(dialog, 1142)->setFocus();
        QTest::keyClick(Edit(dialog, 1142), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void theListOpensItOnTheCurrentRow() {
        CProgramState state;
        ui::CProgramDoc doc({}, BuildDefaultImage());
        ui::CProgramView view(doc, state);
        view.show();
        view.Grid()->setCurrentIndex(view.Model()->index(128, 0));
        int shown = 0;
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<ui::CChannelEditDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = dialog->Channel();
            dialog->findChild<QLineEdit*>(QStringLiteral("1142"))->setText(QStringLiteral("435"));
            dialog->findChild<QLineEdit*>(QStringLiteral("1142"))->setFocus();
            dialog->close();
        });
        view.findChild<QPushButton*>(QStringLiteral("1133"))->click();
        QCOMPARE(shown, 129);
        QCOMPARE(view.Model()->Table().Row(129)[1], std::string("435.00000"));
    }
};

TARSEL_UI_TEST_MAIN(ChannelEditTest)
#include "channeledit_test.moc"
