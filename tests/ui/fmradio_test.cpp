// The FM radio dialog: load on opening, the corrections, the preset grid's editor, and the store
// on closing.
#include "ui/uitestsupport.h"

#include "core/image/memorymap.h"
#include "ui/fmradio/fmradiodialog.h"
#include "ui/widgets/inplacegrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

using namespace tarsel;

class FmRadioTest : public QObject {
    Q_OBJECT

    static void Show(QDialog& dialog) { QVERIFY(test::ShowActive(dialog)); }
    static void ClickCell(ui::CInPlaceGrid* grid, int row, int column) {
        const QRect cell = grid->visualItemRect(grid->item(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void aBlankImageOpensEmptyAndClosesUnchanged() {
        test::CToolState state;
        ui::CFmRadioDialog dialog(state);
        QCOMPARE(dialog.PresetList()->currentText(), QStringLiteral("1"));
        QCOMPARE(dialog.CurrentFrequency()->text(), QString());
        QCOMPARE(dialog.Grid()->ValueText(0), QString());
        Show(dialog);
        dialog.close();
        CMemoryImage expected;
        expected[map::kFmCurrentPreset] = 1;
        QVERIFY(state.image == expected);
    }

    void fieldsAreCorrectedAndStoredOnClosing() {
        test::CToolState state;
        state.image[map::kFmPresets + 3] = 0x12;
        ui::CFmRadioDialog dialog(state);
        Show(dialog);
        QLineEdit* current = dialog.CurrentFrequency();
        current->setFocus();
        QTest::keyClicks(current, QStringLiteral("88.5"));
        ui::CInPlaceGrid* grid = dialog.Grid();
        ClickCell(grid, 2, 0); // a click on the number edits the row's frequency
        QCOMPARE(current->text(), QStringLiteral("88.500"));
        QLineEdit* editor = grid->Editor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->objectName(), QStringLiteral("1302"));
        QTest::keyClicks(editor, QStringLiteral("1a20"));
        QCOMPARE(editor->text(), QStringLiteral("120"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        QCOMPARE(grid->ValueText(2), QStringLiteral("76.000"));
        ClickCell(grid, 0, 1);
        QTest::keyClicks(editor, QStringLiteral("107.9"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        ClickCell(grid, 5, 1);
        QTest::keyClicks(editor, QStringLiteral("99"));
        dialog.PresetList()->setCurrentIndex(19);
        dialog.close(); // with the editor still open
        const auto bytes = [&state](std::size_t offset) {
            return QList<uint8_t>{state.image[offset], state.image[offset + 1],
                                  state.image[offset + 2], state.image[offset + 3]};
        };
        QCOMPARE(state.image[map::kFmCurrentPreset], uint8_t(20));
        QCOMPARE(bytes(map::kFmCurrentFrequency), (QList<uint8_t>{0x00, 0x85, 0x08, 0xFF}));
        QCOMPARE(bytes(map::kFmPresets), (QList<uint8_t>{0x00, 0x79, 0x10, 0xFF}));
        QCOMPARE(bytes(map::kFmPresets + 8), (QList<uint8_t>{0x00, 0x60, 0x07, 0xFF}));
        QCOMPARE(bytes(map::kFmPresets + 20), (QList<uint8_t>{0x00, 0x90, 0x09, 0xFF}));
    }
};

TARSEL_UI_TEST_MAIN(FmRadioTest)
#include "fmradio_test.moc"
