// The DTMF editor through its window: when pages load and store, the keys that close nothing,
// typing rules, and the auto-dial grid with its in-place editor.
#include "ui/uitestsupport.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/memorymap.h"
#include "ui/dtmf/codelistpage.h"
#include "ui/dtmf/dtmfeditor.h"
#include "ui/dtmf/remotepage.h"
#include "ui/dtmf/timingpage.h"
#include "ui/widgets/inplacegrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

using namespace tarsel;

class DtmfEditorTest : public QObject {
    Q_OBJECT

    template <class T = QLineEdit> static T* Control(QWidget* page, const char* id) {
        T* control = page->findChild<T*>(QString::fromLatin1(id));
        if (!control) qFatal("no control %s", id);
        return control;
    }
    static void Show(QDialog& dialog) { QVERIFY(test::ShowActive(dialog)); }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static QString Cell(ui::CInPlaceGrid* grid, int row, int column = 1) {
        return grid->item(row, column)->text();
    }
    static void ClickCell(ui::CInPlaceGrid* grid, int row, int column) {
        const QRect cell = grid->visualItemRect(grid->item(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void leavingATabStoresItAndShowingOneLoadsIt() {
        test::CToolState state;
        ui::CDtmfEditorDialog dialog(state, state);
        Show(dialog);
        ui::CDtmfTimingPage* timing = dialog.TimingPage();
        Type(Control(timing, "1117"), QStringLiteral("12a*e"));
        QCOMPARE(Control(timing, "1117")->text(), QStringLiteral("12A*"));
        Type(Control(timing, "1094"), QStringLiteral("250"));
        WriteDtmfString("777", state.image.Field<16>(map::kDtmfCodeList));
        dialog.Tabs()->setCurrentIndex(2);
        QVERIFY(!timing->isVisible());
        QCOMPARE(state.image[map::kDtmfPttIdStart + 3], uint8_t(0x0E));
        QCOMPARE(state.image[map::kDtmfPttIdStart + 4], uint8_t(0xFF));
        QCOMPARE(state.image[map::kDtmfFirstDigitDelay], uint8_t(4));
        QCOMPARE(Cell(dialog.CodeListPage()->Grid(), 0), QStringLiteral("777"));
        state.image[map::kDtmfWaitTime] = 30;
        dialog.Tabs()->setCurrentIndex(0);
        QCOMPARE(Control(timing, "1094")->text(), QStringLiteral("200"));
        QCOMPARE(Control(timing, "1121")->text(), QStringLiteral("30"));
    }

    void closingStoresEveryPageEvenOneNeverShown() {
        test::CToolState state;
        state.image[map::kDtmfWaitTime] = 255;
        state.image[map::kDtmfAutoResetTime] = 0;
        state.image[map::kDtmfDecodeTime] = 230;
        state.dtmfCallId = "42";
        {
            ui::CDtmfEditorDialog dialog(state, state);
            QCOMPARE(Control(dialog.TimingPage(), "1121")->text(), QStringLiteral("60"));
            Show(dialog);
            Type(Control(dialog.CodeListPage(), "1210"), QStringLiteral("7#"));
            dialog.close();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(state.image[map::kDtmfWaitTime], uint8_t(60));
            QCOMPARE(state.image[map::kDtmfAutoResetTime], uint8_t(10));
            QCOMPARE(state.image[map::kDtmfDecodeTime], uint8_t(230));
            QCOMPARE(state.image[map::kDtmfAniSeparator], uint8_t(10));
            QCOMPARE(state.dtmfCallId, std::string("7#"));
        }
        ui::CDtmfEditorDialog again(state, state);
        QCOMPARE(Control(again.CodeListPage(), "1210")->text(), QStringLiteral("7#"));
    }

    void enterAndEscapeCloseNothing() {
        test::CToolState state;
        ui::CDtmfEditorDialog dialog(state, state);
        Show(dialog);
        const auto press = [&dialog](QWidget* target) {
            target->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(target, key);
            QVERIFY(dialog.isVisible());
        };
        press(Control(dialog.TimingPage(), "1117"));
        press(Control<QComboBox>(dialog.TimingPage(), "1093"));
        press(dialog.Tabs());
        dialog.Tabs()->setCurrentIndex(1);
        press(Control(dialog.RemotePage(), "1110"));
        dialog.Tabs()->setCurrentIndex(2);
        ui::CInPlaceGrid* grid = dialog.CodeListPage()->Grid();
        press(grid);
        press(Control(dialog.CodeListPage(), "1212"));
        press(Control<QPushButton>(dialog.CodeListPage(), "1209"));
        ClickCell(grid, 0, 1);
        QVERIFY(grid->Editor()->isVisible());
        QTest::keyClick(grid->Editor(), Qt::Key_Escape);
        QVERIFY(!grid->Editor()->isVisible());
        QVERIFY(dialog.isVisible());
    }

    void typingIsLimitedButLoadedTextsAreShownWhole() {
        test::CToolState state;
        ui::CDtmfEditorDialog dialog(state, state);
        Show(dialog);
        QLineEdit* wait = Control(dialog.TimingPage(), "1121");
        Type(wait, QStringLiteral("123"));
        QCOMPARE(wait->text(), QStringLiteral("12"));
        QLineEdit* delay = Control(dialog.TimingPage(), "1094");
        Type(delay, QStringLiteral("1x5"));
        QCOMPARE(delay->text(), QStringLiteral("15"));
        delay->setText(QStringLiteral("12750"));
        QCOMPARE(delay->text(), QStringLiteral("12750"));
        Control(dialog.TimingPage(), "1117")->setFocus(); // leaving corrects
        QCOMPARE(delay->text(), QStringLiteral("200"));
        // The spin buttons rewrite the edit and wrap round.
        delay->setText(QStringLiteral("1000"));
        const auto up = Control<QWidget>(dialog.TimingPage(), "1095")->findChildren<QToolButton*>();
        QCOMPARE(up.size(), 2);
        QTest::mouseClick(up[0], Qt::LeftButton);
        QCOMPARE(delay->text(), QStringLiteral("100"));
        QTest::mouseClick(up[1], Qt::LeftButton);
        QCOMPARE(delay->text(), QStringLiteral("1000"));
    }

    void autoDialGridEditsInPlace() {
        test::CToolState state;
        WriteDtmfString("123A456", state.image.Field<16>(map::kDtmfCodeList));
        WriteDtmfString("456", state.image.Field<7>(map::kDtmfOwnId));
        state.image[map::kDtmfAniSeparator] = 10;
        ui::CDtmfEditorDialog dialog(state, state);
        Show(dialog);
        dialog.Tabs()->setCurrentIndex(2);
        ui::CDtmfCodeListPage* page = dialog.CodeListPage();
        ui::CInPlaceGrid* grid = page->Grid();
        QCOMPARE(grid->item(2, 0)->text(), QStringLiteral("2"));

        ClickCell(grid, 0, 0); // the number column opens nothing
        QVERIFY(!grid->Editor()->isVisible());
        ClickCell(grid, 1, 1);
        QVERIFY(grid->Editor()->isVisible());
        QCOMPARE(grid->Editor()->objectName(), QStringLiteral("1115"));
        QTest::keyClicks(grid->Editor(), QStringLiteral("9b#"));
        QTest::keyClick(grid->Editor(), Qt::Key_Return);
        QVERIFY(!grid->Editor()->isVisible());
        QCOMPARE(Cell(grid, 1), QStringLiteral("9B#"));
        QTRY_COMPARE(grid->currentRow(), 2); // Enter moves on to the next code

        // Changing the separator carries the ANI suffix along.
        auto* separator = Control<QComboBox>(page, "1211");
        separator->setFocus();
        separator->setCurrentIndex(5);
        QCOMPARE(Cell(grid, 0), QStringLiteral("123#456"));
        Type(Control(page, "1212"), QStringLiteral("78"));
        grid->setFocus();
        QCOMPARE(Cell(grid, 0), QStringLiteral("123#78"));

        // The ANI call goes into the current cell.
        grid->setCurrentCell(4, 1);
        QTest::mouseClick(Control<QPushButton>(page, "1209"), Qt::LeftButton);
        QCOMPARE(Cell(grid, 4), QStringLiteral("100#78"));

        // A text longer than a code is shown whole in the editor, and cut when stored.
        grid->SetValueText(3, QStringLiteral("1234567890ABCD*#12"));
        ClickCell(grid, 3, 1);
        QCOMPARE(grid->Editor()->text(), QStringLiteral("1234567890ABCD*#12"));
        dialog.Tabs()->setCurrentIndex(0); // stores the open edit too
        QCOMPARE(ReadDtmfString(state.image.Field<16>(map::kDtmfCodeList + 3 * 16)),
                 std::string("1234567890ABCD*#"));
        QCOMPARE(ReadDtmfString(state.image.Field<16>(map::kDtmfCodeList + 16)),
                 std::string("9B#"));
        QCOMPARE(state.image[map::kDtmfAniSeparator], uint8_t(15));
    }
};

TARSEL_UI_TEST_MAIN(DtmfEditorTest)
#include "dtmfeditor_test.moc"
