// The parameter adjustment window: grids for the band limits, the in-place editors, fields and
// boxes stored on every way of closing, and its read and write against the virtual radio.
#include "ui/uitestsupport.h"

#include "radiosim/virtualradio.h"
#include "ui/service/calibrationgrid.h"
#include "ui/service/parameteradjustdialog.h"
#include "ui/widgets/stepbuttons.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

using namespace tarsel;

namespace {

void FillCalibrationRegion(std::vector<uint8_t>& memory) {
    for (int i = 0x3E40; i < 0x3F70; ++i) memory[i] = static_cast<uint8_t>(i % 100);
}

QString Cell(const ui::CCalibrationGridView* grid, int row, int column) {
    return grid->item(row, column)->text();
}

} // namespace

class ParameterAdjustTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::filesystem::path Settings() const {
        return folder_.filePath(QStringLiteral("Program.ini")).toStdString();
    }

private slots:
    void gridsFollowTheBandLimits() {
        test::CToolState state;
        state.image[0x3E8C] = 200; // B band's sql 1, low end: shown as 0
        state.image[0x3E8D] = 77;
        test::CScriptedPrompter prompter;
        ui::CParameterAdjustDialog dialog(state, state, Settings(), prompter);
        const ui::CCalibrationGridView* level = dialog.Grid(kSquelchLevelGrid);
        QCOMPARE(level->objectName(), QStringLiteral("1130"));
        QCOMPARE(level->rowCount(), 4);
        QCOMPARE(level->verticalHeaderItem(2)->text(), QStringLiteral("400-480 sql 1"));
        QCOMPARE(level->horizontalHeaderItem(1)->text(), QStringLiteral("中端"));
        QCOMPARE(Cell(level, 2, 0), QStringLiteral("0"));
        QCOMPARE(Cell(level, 2, 1), QStringLiteral("77"));
        QCOMPARE(dialog.Grid(kSquelchDetectGrid)->rowCount(), 6);

        state.bandLimits.low = {40000000, 43000000};
        state.bandLimits.high = {47000000, 48000000};
        dialog.LoadFields();
        QCOMPARE(level->rowCount(), 2);
        QCOMPARE(level->verticalHeaderItem(0)->text(), QStringLiteral("400-480 sql 1"));
        QCOMPARE(Cell(level, 0, 1), QStringLiteral("77"));
    }

    void theInPlaceEditorClampsIntoItsCell() {
        test::CToolState state;
        test::CScriptedPrompter prompter;
        ui::CParameterAdjustDialog dialog(state, state, Settings(), prompter);
        QVERIFY(test::ShowActive(dialog));
        ui::CCalibrationGridView* level = dialog.Grid(kSquelchLevelGrid);
        const QRect cell = level->visualRect(level->model()->index(1, 2));
        QTest::mouseClick(level->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(level->Editor()->isVisible());
        QCOMPARE(level->Editor()->objectName(), QStringLiteral("1205"));
        QTest::keyClicks(level->Editor(), QStringLiteral("2a00"));
        QCOMPARE(level->Editor()->text(), QStringLiteral("200"));
        dialog.Field(1203)->setFocus();
        QVERIFY(!level->Editor()->isVisible());
        QCOMPARE(Cell(level, 1, 2), QStringLiteral("127"));

        ui::CCalibrationGridView* power = dialog.Grid(kPowerGrid);
        power->OpenEditor(0, 0);
        QCOMPARE(level->Editor()->isVisible(), false);
        QCOMPARE(power->Editor()->text(), QStringLiteral("255"));
        power->EditorButtons()->Step(1);
        QCOMPARE(power->Editor()->text(), QStringLiteral("1")); // past the top to the bottom
        power->EditorButtons()->Step(-1);
        QCOMPARE(power->Editor()->text(), QStringLiteral("255"));
        dialog.close(); // commits the open editor, then stores
        QCOMPARE(state.image[0x3E85], uint8_t(127));
        QCOMPARE(state.image[0x3F30], uint8_t(255));
    }

    void fieldsAndBoxesAreStoredOnEveryWayOfClosing() {
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            test::CToolState state;
            state.image[0x3F04] = 40;
            state.image[0x3F12] = 200;
            test::CScriptedPrompter prompter;
            ui::CParameterAdjustDialog dialog(state, state, Settings(), prompter);
            QVERIFY(test::ShowActive(dialog));
            QCOMPARE(dialog.Field(1120)->text(), QStringLiteral("31"));
            QVERIFY(!dialog.Field(1154)->isVisible());
            QCOMPARE(dialog.Field(1154)->text(), QStringLiteral("200"));
            QCOMPARE(dialog.Field(1128)->text(), QStringLiteral("ffff"));
            QLineEdit* compress = dialog.Field(1128);
            compress->setFocus();
            compress->selectAll();
            QTest::keyClicks(compress, QStringLiteral("1A2Bz9"));
            QCOMPARE(compress->text(), QStringLiteral("1A2B"));
            QLineEdit* deviation = dialog.Field(1116);
            deviation->setFocus();
            deviation->selectAll();
            QTest::keyClicks(deviation, QStringLiteral("99a99"));
            QCOMPARE(deviation->text(), QStringLiteral("9999"));
            dialog.Field(1203)->setFocus();
            QCOMPARE(deviation->text(), QStringLiteral("1023"));
            QCOMPARE(compress->text(), QStringLiteral("1a2b"));
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) box->setChecked(false);
            dialog.Check(7)->setChecked(true); // soft mute: checked clears its bit
            QCOMPARE(dialog.Check(7)->accessibleName(), QStringLiteral("RDA1846s 软闭音"));
            QTest::keyClick(dialog.Field(1203), key);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(state.image[0x3F04], uint8_t(31));
            QCOMPARE(state.image[0x3F08], uint8_t(0xC0));
            QCOMPARE(state.image[0x3F09], uint8_t(0xFF));
            QCOMPARE(state.image[0x3F20], uint8_t(0x2B));
            QCOMPARE(state.image[0x3F21], uint8_t(0x1A));
            QCOMPARE(state.image[0x3F12], uint8_t(200));
            QCOMPARE(state.image[0x3F26], uint8_t(0x00));
            QCOMPARE(state.image[0x3EB0], uint8_t(66));
        }
    }

    void readAndWriteTheCalibrationRegion() {
        test::CServiceBench bench;
        radiosim::CVirtualRadio& radio = bench.StartRadio({}, FillCalibrationRegion);
        test::CToolState& state = bench.state;
        test::CScriptedPrompter& prompter = bench.prompter;
        ui::CParameterAdjustDialog dialog(state, state, bench.Settings(), prompter);
        dialog.ReadButton()->click();
        QCOMPARE(prompter.asked, QStringList{QStringLiteral("读数据成功")});
        QCOMPARE(state.image[0x3E80], uint8_t(0x3E80 % 100));
        QCOMPARE(Cell(dialog.Grid(kSquelchLevelGrid), 0, 0), QString::number(0x3E80 % 100));
        QVERIFY(state.bandLimits == CBandLimits{}); // blank limit bytes in the image: unchanged

        dialog.Grid(kPowerGrid)->item(0, 0)->setText(QStringLiteral("100"));
        dialog.Grid(kPowerGrid)->item(0, 1)->setText(QStringLiteral("80"));
        dialog.WriteButton()->click();
        QCOMPARE(prompter.asked.last(), QStringLiteral("写数据成功"));
        QVERIFY(radio.WaitFor([](const auto& c) { return c.endWrites >= 1; },
                              std::chrono::seconds(20)));
        const auto memory = radio.Memory();
        QCOMPARE(memory[0x3F30], uint8_t(100));
        QCOMPARE(memory[0x3EB0], uint8_t(66));
        QCOMPARE(memory[0x3F42], uint8_t(0x18)); // the slope of the power row just written
        QCOMPARE(memory[0x3F44], uint8_t(0x81));
        QCOMPARE(state.image[0x2E18], uint8_t(0x00)); // the band limits were stored too
        QCOMPARE(state.image[0x2E1A], uint8_t(0x00));
        QCOMPARE(state.image[0x2E1B], uint8_t(0x40));
        QVERIFY(prompter.errors.isEmpty());
    }
};

TARSEL_UI_TEST_MAIN(ParameterAdjustTest)
#include "parameteradjust_test.moc"
