// The DTMF decoder window: hexadecimal fields, spin wrap, store on closing, and its exchanges with
// the virtual radio.
#include "ui/uitestsupport.h"

#include "radiosim/virtualradio.h"
#include "ui/service/decoderdialog.h"

#include <QLineEdit>
#include <QPushButton>

using namespace tarsel;

namespace {

void FillDecoderRegion(std::vector<uint8_t>& memory) {
    for (int i = 0; i < 48; ++i) memory[0x3E00 + i] = static_cast<uint8_t>(i);
}

} // namespace

class DtmfDecoderTest : public QObject {
    Q_OBJECT
private slots:
    void typingLeavingSpinningAndClosingStore() {
        test::CServiceBench bench;
        test::CToolState& state = bench.state;
        state.image[0x3E02] = 0x1A;
        state.image[0x3E03] = 0x2B;
        ui::CDtmfDecoderDialog dialog(state, state, bench.Settings(), bench.prompter);
        QVERIFY(test::ShowActive(dialog));
        QCOMPARE(dialog.Field(0)->text(), QStringLiteral("1a2b"));
        QCOMPARE(dialog.Field(1)->text(), QStringLiteral("ffff"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("1259")), dialog.Field(6));
        QCOMPARE(dialog.Field(6)->accessibleName(),
                 QStringLiteral("Total_P diff DTMF_P threshold"));

        QLineEdit* edit = dialog.Field(2);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("x1g2F34"));
        QCOMPARE(edit->text(), QStringLiteral("12F3")); // hex digits only, at most four
        dialog.Field(3)->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("12f3"));
        dialog.Field(3)->selectAll();
        QTest::keyClick(dialog.Field(3), Qt::Key_Backspace);
        dialog.Field(4)->setFocus();
        QCOMPARE(dialog.Field(3)->text(), QStringLiteral("0"));
        QTest::keyClick(dialog.Field(3), Qt::Key_Down); // 0 steps down to ffff
        QCOMPARE(dialog.Field(3)->text(), QStringLiteral("ffff"));

        QTest::keyClick(dialog.Field(4), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        const uint8_t expected[] = {0x01, 0xC4, 0x1A, 0x2B, 0x00, 0xD5, 0xFF, 0xFF,
                                    0x03, 0xAB, 0x12, 0xF3, 0x03, 0xAC, 0xFF, 0xFF};
        for (int i = 0; i < 16; ++i) QCOMPARE(state.image[0x3E00 + i], expected[i]);
    }

    void readAndWriteTalkToTheRadio() {
        test::CServiceBench bench;
        radiosim::CVirtualRadio& radio = bench.StartRadio({}, FillDecoderRegion);
        test::CToolState& state = bench.state;
        test::CScriptedPrompter& prompter = bench.prompter;
        ui::CDtmfDecoderDialog dialog(state, state, bench.Settings(), prompter);
        dialog.ReadButton()->click();
        QCOMPARE(prompter.asked, QStringList{QStringLiteral("读数据成功")});
        QCOMPARE(dialog.Field(0)->text(), QStringLiteral("203"));
        QCOMPARE(state.image[0x3E00], uint8_t(0)); // headers stay as read until the next store
        dialog.Field(10)->setText(QStringLiteral("beef"));
        dialog.WriteButton()->click();
        QCOMPARE(prompter.asked.last(), QStringLiteral("写数据成功"));
        QVERIFY(radio.WaitFor([](const auto& c) { return c.endWrites >= 1; },
                              std::chrono::seconds(20)));
        const auto memory = radio.Memory();
        QCOMPARE(memory[0x3E28], uint8_t(0x01));
        QCOMPARE(memory[0x3E29], uint8_t(0xC3));
        QCOMPARE(memory[0x3E2A], uint8_t(0xBE));
        QCOMPARE(memory[0x3E2B], uint8_t(0xEF));
        QCOMPARE(memory[0x3E2C], uint8_t(44)); // carried, not edited
        QVERIFY(prompter.errors.isEmpty());
    }

    // The failures of both region windows go through the same exchange; this one stands for both.
    void aFailedReadLeavesImageAndWindowAsTheyWere() {
        test::CServiceBench bench;
        radiosim::CConfig config;
        config.faults.badAckBlock = 1;
        bench.StartRadio(config, FillDecoderRegion);
        test::CToolState& state = bench.state;
        test::CScriptedPrompter& prompter = bench.prompter;
        ui::CDtmfDecoderDialog dialog(state, state, bench.Settings(), prompter);
        dialog.Field(0)->setText(QStringLiteral("77"));
        const CMemoryImage before = state.image;
        dialog.ReadButton()->click();
        QCOMPARE(prompter.errors.size(), 1);
        QVERIFY(prompter.errors[0].startsWith(QStringLiteral("通信出错")));
        QVERIFY(state.image == before);
        QCOMPARE(dialog.Field(0)->text(), QStringLiteral("77"));

        state.portName = "COM0";
        dialog.WriteButton()->click();
        QVERIFY(prompter.errors.last().startsWith(QStringLiteral("无法打开串口")));
        QCOMPARE(state.image[0x3E03], uint8_t(0x77)); // stored before the port was opened
    }
};

TARSEL_UI_TEST_MAIN(DtmfDecoderTest)
#include "dtmfdecoder_test.moc"
