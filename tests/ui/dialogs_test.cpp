// The editing windows: that leaving a control runs its correction, that a step button steps, which
// keys close a window, and that every way of closing stores. What each correction makes of a text
// is the core's.
#include "ui/uitestsupport.h"

namespace tarsel::test {

namespace {

// The two arrow buttons of a spin control: up, down.
QList<QToolButton*> Arrows(const QObject& window, int id) {
    return Find<QWidget>(window, id)->findChildren<QToolButton*>();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Choices unlock their fields; fields are checked while typing and on leaving. Apply writes
    // and keeps the window open; Cancel, Escape and Enter end it without writing.
    void batchChannelFieldsFollowTheirRulesAndOnlyApplyWrites() {
        for (int way = 0; way < 4; ++way) {
            CToolState state;
            state.image = BuildDefaultImage();
            const CMemoryImage before = state.image;
            int refills = 0;
            ui::CBatchChannelDialog dialog(state, [&refills] { ++refills; });
            QVERIFY(ShowActive(dialog));
            QVERIFY(!Find(dialog, 1230)->isEnabled());
            QTest::mouseClick(Find<QRadioButton>(dialog, 1239), Qt::LeftButton);
            QCOMPARE(Find(dialog, 1230)->text(), QStringLiteral("129"));
            QTest::mouseClick(Find<QRadioButton>(dialog, 1228), Qt::LeftButton);
            QVERIFY(Find(dialog, 1230)->isEnabled());
            QTest::mouseClick(Find<QRadioButton>(dialog, 1225), Qt::LeftButton);
            QTest::mouseClick(Find<QCheckBox>(dialog, 1221), Qt::LeftButton);
            QVERIFY(!Find<QComboBox>(dialog, 1144)->isEnabled());
            QLineEdit* step = Find(dialog, 1156);
            Type(step, QStringLiteral("1a2"));
            QLineEdit* start = Find(dialog, 1235);
            Type(start, QStringLiteral("145.5"));
            QCOMPARE(step->text(), QStringLiteral("12.5"));
            Find(dialog, 1147)->setFocus();
            QCOMPARE(start->text(), QStringLiteral("145.50000"));
            start->setFocus();
            start->clear();
            Find(dialog, 1147)->setFocus();
            QCOMPARE(start->text(), QStringLiteral("145.50000")); // what it had on getting focus

            QTest::mouseClick(Find<QRadioButton>(dialog, 1239), Qt::LeftButton);
            Type(start, QStringLiteral("400"));
            if (way == 0) QTest::mouseClick(Find<QPushButton>(dialog, 1236), Qt::LeftButton);
            if (way == 1) QTest::mouseClick(Find<QPushButton>(dialog, 1237), Qt::LeftButton);
            if (way == 2) QTest::keyClick(start, Qt::Key_Escape);
            if (way == 3) QTest::keyClick(start, Qt::Key_Return);
            QCOMPARE(dialog.isVisible(), way == 0);
            QCOMPARE(refills, way == 0 ? 1 : 0);
            QCOMPARE(state.image == before, way != 0);
            if (way == 0) QCOMPARE(ReceiveFrequency(state.image, 129), 40000000);
        }
    }

    // Leaving a field, or Enter in the receive field, runs its check; the spin stores the channel
    // it leaves; Escape closes from the receive field only, and closing stores the field being
    // edited.
    void channelEditChecksStepsAndStores() {
        CToolState state;
        state.image = BuildDefaultImage();
        ui::CChannelEditDialog dialog(state, 128);
        QVERIFY(ShowActive(dialog));
        QLineEdit* rx = Find(dialog, 1142);
        QVERIFY(!Find(dialog, 1143)->isEnabled());
        Type(rx, QStringLiteral("145.01x37"));
        QCOMPARE(rx->text(), QStringLiteral("145.0137"));
        QTest::keyClick(rx, Qt::Key_Return); // the receive check, not a close
        QVERIFY(dialog.isVisible());
        QCOMPARE(rx->text(), QStringLiteral("145.01250"));
        QCOMPARE(Find(dialog, 1143)->text(), QStringLiteral("145.01250"));
        QVERIFY(Find(dialog, 1143)->isEnabled());
        auto* tone = Find<QComboBox>(dialog, 1145);
        tone->setFocus();
        Type(tone->lineEdit(), QStringLiteral("d23i"));
        auto* txTone = Find<QComboBox>(dialog, 1144);
        txTone->setFocus();
        Type(txTone->lineEdit(), QStringLiteral("88.5"));
        Type(Find(dialog, 1147), QStringLiteral("HOME"));
        QCOMPARE(tone->currentText(), QStringLiteral("D023I"));
        // Each channel shows its own fields as the arrows step through them.
        QTest::mouseClick(Arrows(dialog, 1141)[0], Qt::LeftButton);
        QCOMPARE(Find(dialog, 1140)->text(), QStringLiteral("B001"));
        QCOMPARE(txTone->currentText(), QString()); // an empty channel has no tone to show
        QCOMPARE(ReceiveFrequency(state.image, 128), 14501250);
        QTest::mouseClick(Arrows(dialog, 1141)[1], Qt::LeftButton);
        QCOMPARE(Find(dialog, 1147)->text(), QStringLiteral("HOME"));
        QCOMPARE(txTone->currentText(), QStringLiteral("88.5"));

        QLineEdit* label = Find(dialog, 1140);
        Type(label, QStringLiteral("257"));
        rx->setFocus();
        QCOMPARE(label->text(), QStringLiteral("A VFO"));
        QTest::keyClick(label, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        Type(rx, QStringLiteral("147"));
        QTest::keyClick(rx, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(ChannelRowTexts(state.image, state.bandLimits, 257)[kColumnRx],
                 std::string("147.00000"));
    }

    void channelEditOpensOnTheListsCurrentRow() {
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
            Find(*dialog, 1142)->setText(QStringLiteral("435"));
            Find(*dialog, 1142)->setFocus();
            dialog->close();
        });
        Find<QPushButton>(view, 1133)->click();
        QCOMPARE(shown, 129);
        QCOMPARE(view.Model()->Table().Row(129)[1], std::string("435.00000"));
    }

    // Import stays off while rows are bad and nothing is skipped; only Import changes the image.
    void csvImportAppliesOnlyOnImport() {
        const char* const list = "Location,Name,Frequency,Duplex,Offset\n1,HOME,145.5,,\n"
                                 "2,RPT,145.775,-,0.6\n3,BAD,145.5,off,\n4,LONGNAME,439.0125,,\n";
        CMemoryImage image = BuildDefaultImage();
        CBandLimits limits;
        const CMemoryImage before = image;
        ui::CCsvImportDialog refused(list, image, limits);
        refused.reject();
        QVERIFY(!refused.Changed() && image == before);

        ui::CCsvImportDialog dialog(list, image, limits);
        QVERIFY(ShowActive(dialog));
        QVERIFY(!dialog.ImportButton()->isEnabled());
        dialog.SkipBadBox()->click();
        QVERIFY(dialog.ImportButton()->isEnabled() && !dialog.FirstChannel()->isEnabled());
        dialog.FirstBox()->click();
        dialog.FirstChannel()->setValue(255); // the third good row no longer fits
        QVERIFY(dialog.Messages()->item(1)->text().contains(QStringLiteral("line 5: Location")));
        dialog.FirstChannel()->setValue(100);
        QTest::mouseClick(dialog.ImportButton(), Qt::LeftButton);
        QVERIFY(dialog.Changed() && dialog.result() == QDialog::Accepted);
        QCOMPARE(ChannelRowTexts(image, limits, 102)[kColumnRx], std::string("439.01250"));
    }

    // Leaving a field corrects it and a step button rewrites it; Enter and Escape close nothing,
    // on any page. Leaving a page stores it, showing one loads it, and closing stores every page.
    void dtmfPagesCorrectStoreAndLoad() {
        CToolState state;
        WriteDtmfString("123A456", state.image.Field<16>(map::kDtmfCodeList));
        WriteDtmfString("456", state.image.Field<7>(map::kDtmfOwnId));
        state.image[map::kDtmfAniSeparator] = 10;
        state.image[map::kDtmfAutoResetTime] = 0; // on the remote page, never shown
        {
            ui::CDtmfEditorDialog dialog(state, state);
            QVERIFY(ShowActive(dialog));
            ui::CDtmfTimingPage& timing = *dialog.TimingPage();
            QLineEdit* delay = Find(timing, 1094);
            Type(delay, QStringLiteral("12750"));
            Find(timing, 1117)->setFocus();
            QCOMPARE(delay->text(), QStringLiteral("200"));
            delay->setText(QStringLiteral("1000"));
            QTest::mouseClick(Arrows(timing, 1095)[0], Qt::LeftButton);
            QCOMPARE(delay->text(), QStringLiteral("100"));
            const auto press = [&dialog](QWidget* target) {
                target->setFocus();
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(target, key);
                QVERIFY(dialog.isVisible());
            };
            press(Find(timing, 1117));
            press(dialog.Tabs());
            dialog.Tabs()->setCurrentIndex(1);
            QCOMPARE(state.image[map::kDtmfFirstDigitDelay], uint8_t(2));
            press(Find(*dialog.RemotePage(), 1110));
            state.image[map::kDtmfWaitTime] = 30;
            dialog.Tabs()->setCurrentIndex(0);
            QCOMPARE(Find(timing, 1121)->text(), QStringLiteral("30"));

            dialog.Tabs()->setCurrentIndex(2);
            ui::CDtmfCodeListPage& page = *dialog.CodeListPage();
            ui::CInPlaceGrid* grid = page.Grid();
            press(grid);
            press(Find<QPushButton>(page, 1209));
            const auto cell = [grid](int row) { return grid->item(row, 1)->text(); };
            ClickCell(grid, 0, 0); // the number column opens nothing
            QVERIFY(!grid->Editor()->isVisible());
            ClickCell(grid, 1, 1);
            QTest::keyClicks(grid->Editor(), QStringLiteral("9b#"));
            QTest::keyClick(grid->Editor(), Qt::Key_Return);
            QCOMPARE(cell(1), QStringLiteral("9B#"));
            QTRY_COMPARE(grid->currentRow(), 2); // Enter moves on to the next code
            ClickCell(grid, 2, 1);
            QTest::keyClick(grid->Editor(), Qt::Key_Escape);
            QVERIFY(!grid->Editor()->isVisible() && dialog.isVisible());
            // The separator and the own ID carry the ANI suffix along; the button composes a call.
            auto* separator = Find<QComboBox>(page, 1211);
            separator->setFocus();
            separator->setCurrentIndex(5);
            Type(Find(page, 1212), QStringLiteral("78"));
            grid->setFocus();
            QCOMPARE(cell(0), QStringLiteral("123#78"));
            grid->setCurrentCell(4, 1);
            QTest::mouseClick(Find<QPushButton>(page, 1209), Qt::LeftButton);
            QCOMPARE(cell(4), QStringLiteral("100#78"));
            Type(Find(page, 1210), QStringLiteral("7#"));
            dialog.close();
            QCOMPARE(ReadDtmfString(state.image.Field<16>(map::kDtmfCodeList + 4 * 16)),
                     std::string("100#78"));
            QCOMPARE(state.dtmfCallId, std::string("7#"));
            QCOMPARE(state.image[map::kDtmfAutoResetTime], uint8_t(10));
        }
        ui::CDtmfEditorDialog again(state, state);
        QCOMPARE(Find(*again.CodeListPage(), 1210)->text(), QStringLiteral("7#"));
    }

    void fmPresetGridEditsInPlaceAndClosingStores() {
        CToolState state;
        state.image[map::kFmPresets + 3] = 0x12;
        ui::CFmRadioDialog dialog(state);
        QVERIFY(ShowActive(dialog));
        QLineEdit* current = dialog.CurrentFrequency();
        current->setFocus();
        QTest::keyClicks(current, QStringLiteral("88.5"));
        ui::CInPlaceGrid* grid = dialog.Grid();
        ClickCell(grid, 2, 0); // a click on the number edits the row's frequency
        QCOMPARE(current->text(), QStringLiteral("88.500"));
        QLineEdit* editor = grid->Editor();
        QTest::keyClicks(editor, QStringLiteral("120"));
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
        QCOMPARE(state.image[map::kFmCurrentPreset], uint8_t(20));
        QCOMPARE(state.image[map::kFmPresets + 21], uint8_t(0x90));
    }

    // Leaving a limit corrects its pair; a loaded value is shown whole; Enter and Escape close
    // nothing, and closing stores.
    void modelLimitsCorrectOnLeavingAndStoreOnClosing() {
        CToolState state;
        state.bandLimits.low[0] = 166666665;
        ui::CModelDialog dialog(state, state);
        QCOMPARE(dialog.Field(1038)->text(), QStringLiteral("1666"));
        QVERIFY(ShowActive(dialog));
        QVERIFY(dialog.Field(1037)->isReadOnly());
        dialog.Field(1039)->setText(QStringLiteral("300"));
        Type(dialog.Field(1038), QStringLiteral("150"));
        dialog.Field(1040)->setFocus();
        QCOMPARE(dialog.Field(1039)->text(), QStringLiteral("174"));
        Type(dialog.Field(1040), QStringLiteral("420"));
        QTest::keyClick(dialog.Field(1040), Qt::Key_Return);
        QTest::keyClick(dialog.Field(1040), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        dialog.close();
        QCOMPARE(state.bandLimits.low[1], 42000000);
    }

    // Fields hidden for this radio stay hidden, a choice locks the one that follows it, the
    // greeting takes seven single-byte characters; Escape and Enter close and store.
    void optionalFeaturesHideFollowFilterAndStore() {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            CToolState state;
            state.image = BuildDefaultImage();
            state.image[map::kSettingsBits4B] |= 0x01; // VFO
            ui::COptionalFeaturesDialog dialog(state);
            QVERIFY(ShowActive(dialog));
            for (int id : {1172, 1194}) QVERIFY(!Find<QComboBox>(dialog, id)->isVisible());
            QVERIFY(!Find(dialog, 1192)->isVisible());
            auto* vfoMr = Find<QComboBox>(dialog, 1180);
            QVERIFY(vfoMr->isEnabled());
            auto* professional = Find<QComboBox>(dialog, 1185);
            professional->setFocus();
            QTest::keyClick(professional, Qt::Key_Down); // "关" -> "开"
            QCOMPARE(vfoMr->currentText(), QStringLiteral("MR"));
            QVERIFY(!vfoMr->isEnabled());
            QLineEdit* greeting = Find(dialog, 1191);
            Type(greeting, QStringLiteral("A"));
            QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("中"));
            QApplication::sendEvent(greeting, &chinese);
            QTest::keyClicks(greeting, QStringLiteral("BCDEFGHIJ"));
            QCOMPARE(greeting->text(), QStringLiteral("ABCDEFG"));
            Find<QComboBox>(dialog, 1171)->setCurrentIndex(2);
            QTest::keyClick(greeting, key);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(state.image[map::kSettingsTimeOut], 2);
        }
    }
};

} // namespace tarsel::test

TARSEL_UI_TEST_MAIN(tarsel::test::DialogsTest)
#include "dialogs_test.moc"
