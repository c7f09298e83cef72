// Windows that talk to a radio, against virtual radios: reading, writing and initialising, many
// radios at once, and the service windows. Each exchange runs on a worker while the window keeps
// its event loop, and only a complete exchange changes the image.
#include "ui/uitestsupport.h"

#include "../core/testimage.h"

namespace tarsel::test {

using namespace std::chrono_literals;

namespace {

// Presses "开始" in the progress window as soon as it is up.
void PressStartWhenShown() {
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<ui::CTransferDialog*>(QApplication::activeModalWidget()))
            dialog->StartButton()->click();
    });
}

// Bytes of a radio's memory that are not what a write of image leaves there.
std::size_t WrongBytes(const radiosim::CVirtualRadio& radio, const CMemoryImage& image) {
    const auto memory = radio.Memory();
    std::size_t wrong = 0;
    for (std::size_t a = 0; a < CMemoryImage::kSize; ++a)
        wrong += memory[a] != (InRanges(a, map::kCloneRanges) ? image[a] : 0xFF);
    return wrong;
}

// Whether the radio holds over range what image holds.
bool SameOver(const radiosim::CVirtualRadio& radio, const CMemoryImage& image, map::CRange range) {
    const auto memory = radio.Memory();
    return std::equal(memory.begin() + range.start, memory.begin() + range.end,
                      image.Bytes().begin() + range.start);
}

// One service window: the region it reads (none: the radio information, which leaves the image
// alone), how it opens on the bench, and an edit of one of its fields.
struct CServiceWindow {
    const char* name;
    std::optional<map::CRange> region;
    std::function<std::unique_ptr<QDialog>(CServiceBench&)> open;
    std::function<void(QDialog&)> edit;
};

template <class TDialog> std::unique_ptr<QDialog> OpenRegionWindow(CServiceBench& bench) {
    return std::make_unique<TDialog>(bench.state, bench.state, bench.Settings(), bench.prompter);
}

const CServiceWindow kServiceWindows[] = {
    {"parameter adjustment", map::kCalibrationRange, OpenRegionWindow<ui::CParameterAdjustDialog>,
     [](QDialog& window) { Find(window, 1116)->setText(QStringLiteral("500")); }},
    {"DTMF decoder", map::kDtmfDecoderRange, OpenRegionWindow<ui::CDtmfDecoderDialog>,
     [](QDialog& window) { Find(window, 1259)->setText(QStringLiteral("beef")); }},
    {"radio information",
     std::nullopt,
     [](CServiceBench& bench) -> std::unique_ptr<QDialog> {
         return std::make_unique<ui::CRadioInfoDialog>(bench.state.portName, bench.Settings(),
                                                       bench.prompter);
     },
     {}},
};

QStringList Shown(const QWidget& window) {
    QStringList texts;
    for (auto* edit : window.findChildren<QLineEdit*>()) texts << edit->text();
    for (auto* grid : window.findChildren<QTableWidget*>())
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                if (QTableWidgetItem* item = grid->item(row, column)) texts << item->text();
    return texts;
}

QDialog* ProgressWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != QStringLiteral("serviceProgress")) return nullptr;
    return qobject_cast<QDialog*>(modal);
}

} // namespace

class TransfersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CTestProgram> program_;
    std::unique_ptr<radiosim::CVirtualRadio> radio_;
    CProgramState& State() const { return program_->app->State(); }
    // A radio the program's port leads to, its channel A 001 on 145.125 MHz and blank band
    // limits in its memory.
    radiosim::CVirtualRadio* StartRadio(radiosim::CFaults faults = {}, bool pace = false) {
        radiosim::CConfig config;
        config.bandA = {14400000, 14800000};
        config.faults = faults;
        config.pace = pace;
        radio_ = StartVirtualRadio(config, [](std::vector<uint8_t>& memory) {
            CMemoryImage image = BuildDefaultImage();
            WriteDefaultRecord(image, 1);
            EncodeFrequencyField(14512500, image.Field<4>(RecordOffset(1)));
            std::copy(image.Bytes().begin(), image.Bytes().end(), memory.begin());
        });
        State().portName = radio_->DevicePath();
        return radio_.get();
    }
    void Run(ETransfer transfer) {
        PressStartWhenShown();
        program_->app->Frame()->RunTransfer(transfer);
    }
    std::vector<CBackupEntry> Backups() const { return CBackupStore().List(); }
    std::string Settings() const {
        return program_->Path(QStringLiteral("Program.ini")).toStdString();
    }
    std::unique_ptr<ui::CTransferDialog> Dialog(ETransfer transfer) {
        auto dialog = std::make_unique<ui::CTransferDialog>(
            transfer, program_->ActiveDoc().Document(), State(), Settings(), *program_->prompter);
        dialog->show();
        return dialog;
    }

private slots:
    void init() {
        program_ = std::make_unique<CTestProgram>();
        // Each test counts the backups of its own radio images.
        qputenv("XDG_DATA_HOME", program_->Path(QStringLiteral("data")).toUtf8());
    }
    void cleanup() {
        program_.reset();
        radio_.reset();
    }

    // A read fills the document that started it, even when another is made active while it runs,
    // in one undo step; blank band limits come from the radio's identification, and the image is
    // kept as a backup. A backup that cannot be kept is told once a run, and the exchange still
    // counts. A write sends what was typed and not yet parsed.
    void aReadOrWriteTakesTheDocumentThatStartedIt() {
        auto radio = StartRadio();
        ui::CMainFrame* frame = program_->app->Frame();
        ui::CProgramDoc* a = &program_->ActiveDoc();
        ui::CProgramDoc* b = program_->app->Docs().NewDocument();
        frame->MdiArea()->setActiveSubWindow(a->Frame());
        QCOMPARE(program_->app->Docs().ActiveDocument(), a);
        QTimer::singleShot(0, this, [frame, b] {
            frame->MdiArea()->setActiveSubWindow(b->Frame());
            PressStartWhenShown();
        });
        frame->RunTransfer(ETransfer::Read);
        QVERIFY(program_->prompter->errors.isEmpty());
        QCOMPARE(CellText(*a, 1, 1), QStringLiteral("145.12500"));
        QCOMPARE(CellText(*b, 1, 1), QString());
        QCOMPARE(a->Document().Limits().low[0], 14400000);
        QCOMPARE(a->Document().Limits().high[0], 14800000);
        QCOMPARE(Backups().size(), std::size_t(1));
        QCOMPARE(Backups()[0].kind, EBackupKind::Read);
        QCOMPARE(a->UndoStack()->undoText(), QStringLiteral("读频"));
        a->UndoStack()->undo();
        QCOMPARE(CellText(*a, 1, 1), QString());
        QVERIFY(!a->IsModified());

        // A file where the backups' folder would go: not even root can make that folder.
        const QString blocked = program_->Path(QStringLiteral("blocked"));
        QVERIFY(QFile(blocked).open(QIODevice::WriteOnly));
        qputenv("XDG_DATA_HOME", blocked.toUtf8());
        Run(ETransfer::Read);
        Run(ETransfer::Read);
        QCOMPARE(program_->prompter->errors.size(), 1);
        QVERIFY2(program_->prompter->errors[0].startsWith(QStringLiteral("无法保存备份 | ")),
                 qPrintable(program_->prompter->errors[0]));
        QCOMPARE(CellText(*b, 1, 1), QStringLiteral("145.12500"));

        CommitRx(*b, 5, QStringLiteral("147.5"));
        const int reads = radio->Counters().endReads;
        Run(ETransfer::Write);
        QCOMPARE(program_->prompter->errors.size(), 1);
        // Verified by default: the reading back's "ENDR" comes last. (Its opening may purge the
        // write's "ENDW" off the pseudo-terminal before the radio took it.)
        QVERIFY(radio->WaitFor([reads](const auto& c) { return c.endReads > reads; }, 20s));
        QCOMPARE(radio->Memory()[RecordOffset(5) + 3], uint8_t(0x14));
        QCOMPARE(WrongBytes(*radio, b->Document().Image()), 0u);
    }

    // A failed exchange, a read not acknowledged or a write that reads back other bytes, is
    // reported with its cause and leaves the image and the grid.
    void aFailedExchangeChangesNothing() {
        for (const bool write : {false, true}) {
            radiosim::CFaults faults;
            faults.badAckBlock = write ? -1 : 5;
            faults.corruptWriteBlock = write ? 3 : -1;
            faults.corruptWriteOffset = 7;
            StartRadio(faults);
            CommitRx(program_->ActiveDoc(), 3, QStringLiteral("146"));
            program_->ActiveDoc().View()->ParseIntoImage();
            const CMemoryImage before = program_->ActiveImage();
            Run(write ? ETransfer::Write : ETransfer::Read);
            const QString error = write ? QStringLiteral("写入校验失败 | 1 个字节不一致：0x0067")
                                        : QStringLiteral("通信出错");
            QCOMPARE(program_->prompter->errors.size(), write ? 2 : 1);
            QVERIFY2(program_->prompter->errors.last().startsWith(error),
                     qPrintable(program_->prompter->errors.last()));
            QVERIFY(program_->prompter->asked.filter(QStringLiteral("成功")).isEmpty());
            QCOMPARE(program_->ActiveImage(), before);
            QCOMPARE(CellText(program_->ActiveDoc(), 3, 1), QStringLiteral("146.00000"));
            QCOMPARE(CellText(program_->ActiveDoc(), 1, 1), QString());
        }
    }

    // The initialising window stays open to run again; the verify choice is remembered.
    void initialiseStaysOpenAndRunsAgain() {
        StartRadio();
        auto dialog = Dialog(ETransfer::Initialise);
        QSignalSpy finished(dialog.get(), &ui::CTransferDialog::Finished);
        QVERIFY(dialog->VerifyBox()->isChecked());
        for (const QString& message :
             {QStringLiteral("写入并校验成功"), QStringLiteral("初始化数据成功")}) {
            dialog->StartButton()->click();
            QVERIFY(finished.wait(20000));
            QVERIFY(dialog->isVisible() && dialog->Done());
            QCOMPARE(dialog->PercentLabel()->text(), QStringLiteral("0%"));
            QVERIFY(dialog->StartButton()->isEnabled());
            QCOMPARE(program_->prompter->asked.last(), message);
            dialog->VerifyBox()->setChecked(false);
        }
        QCOMPARE(CSettingsFile(Settings()).ReadInteger("Setup", "Verify", 1), 0);
        QVERIFY(!Dialog(ETransfer::Write)->VerifyBox()->isChecked());
        QCOMPARE(Backups().size(), std::size_t(2));
        QCOMPARE(Backups()[0].kind, EBackupKind::Initialise);
    }

    // A read, or the reading back of a write, is cancelled by "退出" and changes nothing; the
    // writing itself goes on whatever is pressed, and the window stays while it runs.
    void aReadOrAReadingBackIsCancelledByExitAndChangesNothing() {
        for (const ETransfer transfer : {ETransfer::Read, ETransfer::Write}) {
            auto radio = StartRadio({}, true); // paced: an exchange takes seconds
            const CMemoryImage before = program_->ActiveImage();
            auto dialog = Dialog(transfer);
            QSignalSpy finished(dialog.get(), &ui::CTransferDialog::Finished);
            const int exitAt = transfer == ETransfer::Read ? 5 : TransferSteps(transfer, false) + 5;
            connect(dialog->findChild<QProgressBar*>(), &QProgressBar::valueChanged, dialog.get(),
                    [&](int position) {
                        if (position == exitAt) dialog->ExitButton()->click();
                    });
            dialog->Start();
            QVERIFY(dialog->Running() && !dialog->StartButton()->isEnabled());
            QCOMPARE(dialog->ExitButton()->isEnabled(), transfer == ETransfer::Read);
            if (transfer == ETransfer::Write) {
                dialog->Start();
                dialog->close();
                dialog->reject();
                QVERIFY(dialog->isVisible());
            }
            QVERIFY(finished.wait(30000));
            QVERIFY(!dialog->isVisible() && !dialog->Done());
            QCOMPARE(program_->prompter->asked.last(), QStringLiteral("已取消"));
            QVERIFY2(program_->prompter->errors.isEmpty(),
                     qPrintable(program_->prompter->errors.join(QLatin1Char('\n'))));
            QCOMPARE(program_->ActiveImage(), before);
            CPosixSerialPort other;
            QVERIFY(other.OpenRadioPort(radio->DevicePath()).Succeeded());
        }
        // The write went out, so its image was kept; the cancelled read kept nothing.
        QCOMPARE(Backups().size(), std::size_t(1));
        QCOMPARE(Backups()[0].kind, EBackupKind::Write);
    }

    // Each radio's row tells its own result; Repeat sends the same image to the next set.
    void batchWriteRowsShowEachRadiosOwnResult() {
        // COM1..COM3 lead to radios, the third with a fault; every other port to nothing.
        std::vector<std::unique_ptr<radiosim::CVirtualRadio>> radios;
        std::ofstream out(Settings());
        out << "[Setup]\nVerify=1\n[Ports]\n";
        for (int n = 1; n <= 16; ++n) {
            radiosim::CConfig config;
            config.faults.corruptWriteBlock = n == 3 ? 2 : -1;
            config.faults.corruptWriteOffset = 5;
            if (n <= 3) radios.push_back(StartVirtualRadio(config));
            out << "COM" << n << "="
                << (n <= 3 ? radios.back()->DevicePath() : Settings() + ".none") << "\n";
        }
        out.close();
        CMemoryImage image = RandomImage(51);
        ui::CBatchWriteDialog dialog(image, State(), Settings(), *program_->prompter);
        image = RandomImage(53); // the window sends the snapshot it was given
        const CMemoryImage sent = RandomImage(51);
        for (int n = 1; n <= 16; ++n) QCOMPARE(dialog.Row(n).tick->isChecked(), n <= 3);
        QVERIFY(!dialog.RepeatButton()->isEnabled());
        // Nothing ticked, nothing starts; an unticked port is left alone (the empty results).
        for (int n = 1; n <= 3; ++n) dialog.Row(n).tick->setChecked(false);
        QVERIFY(!dialog.StartButton()->isEnabled());
        dialog.Start();
        QVERIFY(!dialog.Running());
        for (int n = 1; n <= 3; ++n) dialog.Row(n).tick->setChecked(true);

        for (QPushButton* button : {dialog.StartButton(), dialog.RepeatButton()}) {
            QVERIFY(button->isEnabled());
            QSignalSpy finished(&dialog, &ui::CBatchWriteDialog::Finished);
            button->click();
            // Busy but alive while it runs: nothing can be started twice or ticked.
            QVERIFY(!dialog.Running() ||
                    (!dialog.StartButton()->isEnabled() && !dialog.Row(1).tick->isEnabled()));
            QVERIFY(finished.wait(60000) && !dialog.Running());
            for (int n : {1, 2}) {
                QCOMPARE(dialog.Row(n).result->text(), QStringLiteral("完成"));
                QCOMPARE(dialog.Row(n).bar->value(), dialog.Row(n).bar->maximum());
                QCOMPARE(WrongBytes(*radios[std::size_t(n - 1)], sent), 0u);
                radios[std::size_t(n - 1)]->SetMemory({}); // the next set of radios: blank
            }
            const QString result = dialog.Row(3).result->text();
            QVERIFY2(result.startsWith(QStringLiteral("写入校验失败: 1 个字节不一致：0x0045")),
                     qPrintable(result));
            for (int n = 4; n <= 16; ++n) QVERIFY(dialog.Row(n).result->text().isEmpty());
        }
        QCOMPARE(Backups().size(), 2u); // one backup for each image sent
    }

    // A service window keeps running while a read is answered, changes the image only when it is
    // complete, shows what it read and keeps the image as it then stands. A write stores the
    // window's fields first and cannot be stopped half way. Cancelled or failed to start, a read
    // changes neither the image nor the window.
    void serviceWindowsReadAndWrite() {
        for (const CServiceWindow& window : kServiceWindows) {
            CServiceBench bench;
            radiosim::CConfig paced; // slow enough for an exchange to be watched
            paced.pace = true;
            // Both regions hold a pattern the start-up image does not.
            radiosim::CVirtualRadio& radio = bench.StartRadio(paced, [](std::vector<uint8_t>& m) {
                for (uint16_t a = map::kDtmfDecoderRange.start; a < map::kCalibrationRange.end; ++a)
                    m[a] = static_cast<uint8_t>(a % 97);
            });
            const CMemoryImage before = bench.state.image;
            auto dialog = window.open(bench);
            QStringList shown = Shown(*dialog);
            int ticksDuringExchange = 0;
            bool imageChangedEarly = false;
            QTimer timer;
            timer.setInterval(5);
            connect(&timer, &QTimer::timeout, [&] {
                // Counted only while the radio is answering: begun, not yet ended.
                const radiosim::CCounters counters = radio.Counters();
                if (!ProgressWindow() || counters.exchanges == 0 || counters.endReads > 0) return;
                ++ticksDuringExchange;
                imageChangedEarly |= bench.state.image != before;
            });
            timer.start();
            Find<QPushButton>(*dialog, 1207)->click();
            timer.stop();
            QVERIFY(ticksDuringExchange > 0 && !imageChangedEarly);
            QVERIFY2(bench.prompter.errors.isEmpty() && !ProgressWindow(),
                     qPrintable(bench.prompter.errors.join(QLatin1Char('\n'))));
            QVERIFY(Shown(*dialog) != shown);
            const auto backups = bench.Backups();
            if (!window.region) {
                QVERIFY(bench.prompter.asked.isEmpty()); // no success message
                QVERIFY(bench.state.image == before && backups.empty());
            } else {
                QCOMPARE(bench.prompter.asked, QStringList{QStringLiteral("读数据成功")});
                QVERIFY(SameOver(radio, bench.state.image, *window.region));
                QCOMPARE(backups.size(), std::size_t(1));
                QCOMPARE(backups[0].kind, EBackupKind::Read);
            }
            QVERIFY(radio.WaitFor([](const auto& c) { return c.endReads >= 1; }, 20s));

            if (window.edit) {
                window.edit(*dialog);
                const CMemoryImage read = bench.state.image;
                bool offeredExit = true, stayedUp = false;
                QTimer::singleShot(0, [&] {
                    QDialog* progress = ProgressWindow();
                    if (!progress) return;
                    offeredExit = progress->findChild<QPushButton*>(QStringLiteral("2")) != nullptr;
                    progress->reject(); // Escape
                    progress->close();
                    stayedUp = progress->isVisible();
                });
                Find<QPushButton>(*dialog, 1208)->click();
                QVERIFY(!offeredExit && stayedUp);
                QCOMPARE(bench.prompter.asked.last(), QStringLiteral("写数据成功"));
                QVERIFY(bench.prompter.errors.isEmpty() && bench.state.image != read);
                QVERIFY(radio.WaitFor([](const auto& c) { return c.endWrites >= 1; }, 20s));
                QVERIFY(SameOver(radio, bench.state.image, *window.region));
                QCOMPARE(bench.Backups().size(), backups.size()); // only reads keep one here
            }

            // Other contents in the radio, so that a read applied in part would show.
            radio.SetMemory(std::vector<uint8_t>(CMemoryImage::kSize, 0x5A));
            const CMemoryImage kept = bench.state.image;
            shown = Shown(*dialog);
            bool pressed = false;
            QTimer::singleShot(0, [&] {
                QDialog* progress = ProgressWindow();
                auto* exit =
                    progress ? progress->findChild<QPushButton*>(QStringLiteral("2")) : nullptr;
                if (exit) exit->click();
                pressed = exit;
            });
            Find<QPushButton>(*dialog, 1207)->click();
            QVERIFY(pressed);
            QCOMPARE(bench.prompter.asked.last(), QStringLiteral("已取消"));
            QVERIFY(bench.state.image == kept && bench.Backups().size() == backups.size());
            QCOMPARE(Shown(*dialog), shown);
            CPosixSerialPort other; // the port is free again
            QVERIFY(other.OpenRadioPort(bench.state.portName).Succeeded());
            bench.state.portName = "COM0";
            Find<QPushButton>(*window.open(bench), 1207)->click();
            QCOMPARE(bench.prompter.errors.size(), 1); // and none for the cancel
            QVERIFY(bench.prompter.errors[0].startsWith(QStringLiteral("无法打开串口")));
            QVERIFY(bench.state.image == kept);
        }
    }

    // A field is corrected on leaving and stepped by its arrow keys, a grid cell is limited while
    // typing and clamped on leaving; closing commits an open grid editor and stores, and so do
    // Escape and Enter.
    void serviceFieldsCorrectStepAndStoreOnClosing() {
        CServiceBench bench;
        ui::CDtmfDecoderDialog decoder(bench.state, bench.state, bench.Settings(), bench.prompter);
        QVERIFY(ShowActive(decoder));
        Type(decoder.Field(2), QStringLiteral("x1g2F34"));
        decoder.Field(3)->setFocus();
        QCOMPARE(decoder.Field(2)->text(), QStringLiteral("12f3"));
        QTest::keyClick(decoder.Field(3), Qt::Key_Down);
        QCOMPARE(decoder.Field(3)->text(), QStringLiteral("fffe"));
        QTest::keyClick(decoder.Field(4), Qt::Key_Escape);
        QVERIFY(!decoder.isVisible());
        QCOMPARE(bench.state.image[0x3E0A], uint8_t(0x12));

        for (const Qt::Key key : {Qt::Key_unknown, Qt::Key_Escape, Qt::Key_Return}) {
            CToolState state;
            ui::CParameterAdjustDialog dialog(state, state, bench.Settings(), bench.prompter);
            QVERIFY(ShowActive(dialog));
            Type(dialog.Field(1128), QStringLiteral("1A2Bz9"));
            QCOMPARE(dialog.Field(1128)->text(), QStringLiteral("1A2B"));
            ui::CCalibrationGridView* level = dialog.Grid(kSquelchLevelGrid);
            ClickCell(level, 1, 2);
            QVERIFY(level->Editor()->isVisible());
            QTest::keyClicks(level->Editor(), QStringLiteral("2a00"));
            QCOMPARE(level->Editor()->text(), QStringLiteral("200"));
            dialog.Field(1203)->setFocus();
            QVERIFY(!level->Editor()->isVisible());
            QCOMPARE(level->item(1, 2)->text(), QStringLiteral("127"));
            QCOMPARE(dialog.Field(1128)->text(), QStringLiteral("1a2b"));
            if (key == Qt::Key_unknown) {
                ui::CCalibrationGridView* power = dialog.Grid(kPowerGrid);
                power->OpenEditor(0, 0);
                QCOMPARE(power->Editor()->text(), QStringLiteral("255"));
                power->EditorButtons()->Step(1);
                QCOMPARE(power->Editor()->text(), QStringLiteral("1"));
                dialog.close(); // commits the open editor, then stores
                QCOMPARE(state.image[0x3F30], uint8_t(1));
            } else {
                QTest::keyClick(dialog.Field(1203), key);
            }
            QVERIFY(!dialog.isVisible());
            QCOMPARE(state.image[0x3F21], uint8_t(0x1A));
        }
    }
};

} // namespace tarsel::test

TARSEL_UI_TEST_MAIN(tarsel::test::TransfersTest)
#include "transfers_test.moc"
