// Reading, writing and initialising a radio from the desktop program, against the virtual radio.
#include "ui/uitestsupport.h"

#include "core/image/channelrecord.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/settingsfile.h"
#include "radiosim/virtualradio.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/radiolink/portdialog.h"
#include "ui/radiolink/transferdialog.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/mainframe.h"
#include "ui/shell/programdoc.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

using namespace tarsel;

namespace {

// The radio's memory: channel A 001 on 145.125 MHz and blank band limits.
CMemoryImage RadioMemory() {
    CMemoryImage image = BuildDefaultImage();
    WriteDefaultRecord(image, 1);
    EncodeFrequencyField(14512500, image.Field<4>(RecordOffset(1)));
    return image;
}

std::unique_ptr<radiosim::CVirtualRadio> StartRadio(radiosim::CFaults faults = {},
                                                    bool pace = false) {
    radiosim::CConfig config;
    config.bandA = {14400000, 14800000};
    config.faults = faults;
    config.pace = pace;
    auto radio = std::make_unique<radiosim::CVirtualRadio>(config);
    radio->Start();
    const CMemoryImage memory = RadioMemory();
    radio->SetMemory(memory.Bytes());
    return radio;
}

// Presses "开始" in the progress window as soon as it is up.
void PressStartWhenShown() {
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<ui::CTransferDialog*>(QApplication::activeModalWidget()))
            dialog->StartButton()->click();
    });
}

} // namespace

class TransfersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::CTestProgram> program_;
    ui::CProgramView* View() const { return program_->app->Docs().ActiveDocument()->View(); }
    QString Cell(int channel, int column) const {
        return View()->Model()->index(channel - 1, column - 1).data().toString();
    }

private slots:
    void init() {
        program_ = std::make_unique<test::CTestProgram>();
        // Each test counts the backups of its own radio images.
        qputenv("XDG_DATA_HOME", program_->Path(QStringLiteral("data")).toUtf8());
    }
    std::vector<CBackupEntry> Backups() const { return CBackupStore().List(); }
    std::string Settings() const {
        return program_->Path(QStringLiteral("Program.ini")).toStdString();
    }
    void cleanup() { program_.reset(); }

    void aReadFillsTheGridAndTheBandLimits() {
        auto radio = StartRadio();
        program_->app->State().portName = radio->DevicePath();
        PressStartWhenShown();
        program_->app->Frame()->RunTransfer(ETransfer::Read);
        QVERIFY(program_->prompter->errors.isEmpty());
        QCOMPARE(Cell(1, 1), QStringLiteral("145.12500"));
        // Blank limits in the radio's memory were filled from its identification block.
        QCOMPARE(program_->ActiveDoc().Document().Limits().low[0], 14400000);
        QCOMPARE(program_->ActiveDoc().Document().Limits().high[0], 14800000);
        // The whole image after the read, kept as a backup.
        const auto backups = Backups();
        QCOMPARE(backups.size(), std::size_t(1));
        QCOMPARE(backups[0].kind, EBackupKind::Read);
        CMemoryImage kept;
        QVERIFY(!LoadDataFile(backups[0].path, kept));
        QCOMPARE(kept, program_->ActiveImage());
    }

    void aFailedReadLeavesImageAndGridAsTheyWere() {
        radiosim::CFaults badAck;
        badAck.badAckBlock = 5;
        radiosim::CFaults hangUp;
        hangUp.hangUpBlock = 10;
        for (const radiosim::CFaults& faults : {badAck, hangUp}) {
            init();
            auto radio = StartRadio(faults);
            CProgramState& state = program_->app->State();
            state.portName = radio->DevicePath();
            View()->Model()->CommitEdit(View()->Model()->index(2, 0), QStringLiteral("146"));
            View()->ParseIntoImage();
            const CMemoryImage before = program_->ActiveImage();
            PressStartWhenShown();
            program_->app->Frame()->RunTransfer(ETransfer::Read);
            QCOMPARE(program_->prompter->errors.size(), 1);
            QVERIFY(program_->prompter->errors[0].startsWith(QStringLiteral("通信出错")));
            QCOMPARE(program_->ActiveImage(), before);
            QCOMPARE(Cell(3, 1), QStringLiteral("146.00000"));
            QCOMPARE(Cell(1, 1), QString());
            cleanup();
        }
    }

    void aWriteSendsTheParsedGrid() {
        auto radio = StartRadio();
        program_->app->State().portName = radio->DevicePath();
        // Typed, not yet parsed: the write parses first.
        View()->Model()->CommitEdit(View()->Model()->index(4, 0), QStringLiteral("147.5"));
        PressStartWhenShown();
        program_->app->Frame()->RunTransfer(ETransfer::Write);
        QVERIFY(program_->prompter->errors.isEmpty());
        // Verified by default: the reading back's "ENDR" comes last. (Its opening may purge the
        // write's "ENDW" off the pseudo-terminal before the radio took it.)
        QVERIFY(
            radio->WaitFor([](const auto& c) { return c.endReads >= 1; }, std::chrono::seconds(20)));
        const auto memory = radio->Memory();
        const CMemoryImage& image = program_->ActiveImage();
        QCOMPARE(memory[RecordOffset(5) + 3], uint8_t(0x14));
        for (std::size_t i = 0; i < 0x3000; ++i) QCOMPARE(memory[i], image[i]);
    }

    void initialiseStaysOpenAndRunsAgain() {
        auto radio = StartRadio();
        CProgramState& state = program_->app->State();
        state.portName = radio->DevicePath();
        ui::CTransferDialog dialog(ETransfer::Initialise, program_->ActiveDoc().Document(), state, Settings(), *program_->prompter);
        dialog.show();
        QSignalSpy finished(&dialog, &ui::CTransferDialog::Finished);
        // Verified by default; the choice is remembered for the next window.
        QVERIFY(dialog.VerifyBox()->isChecked());
        const QString messages[] = {QStringLiteral("写入并校验成功"),
                                    QStringLiteral("初始化数据成功")};
        for (int run = 1; run <= 2; ++run) {
            dialog.StartButton()->click();
            QVERIFY(finished.wait(20000));
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.Done());
            QCOMPARE(dialog.PercentLabel()->text(), QStringLiteral("0%"));
            QVERIFY(dialog.StartButton()->isEnabled());
            QCOMPARE(program_->prompter->asked.last(), messages[run - 1]);
            dialog.VerifyBox()->setChecked(false);
        }
        QCOMPARE(CSettingsFile(Settings()).ReadInteger("Setup", "Verify", 1), 0);
        QCOMPARE(Backups().size(), std::size_t(2));
        QCOMPARE(Backups()[0].kind, EBackupKind::Initialise);
        // The verified run ends with "ENDR", the other with "ENDW".
        QVERIFY(radio->WaitFor([](const auto& c) { return c.endReads >= 1 && c.endWrites >= 1; },
                               std::chrono::seconds(20)));
        const auto memory = radio->Memory();
        for (std::size_t i = 0; i < 0x4000; ++i) QCOMPARE(memory[i], program_->ActiveImage()[i]);
    }

    void aReadOrAReadingBackIsCancelledByExitAndChangesNothing() {
        for (const ETransfer transfer : {ETransfer::Read, ETransfer::Write}) {
            auto radio = StartRadio({}, transfer == ETransfer::Read); // a paced read takes seconds
            CProgramState& state = program_->app->State();
            state.portName = radio->DevicePath();
            const CMemoryImage before = program_->ActiveImage();
            ui::CTransferDialog dialog(transfer, program_->ActiveDoc().Document(), state, Settings(), *program_->prompter);
            dialog.show();
            QSignalSpy finished(&dialog, &ui::CTransferDialog::Finished);
            const int writeSteps = TransferSteps(transfer, false);
            connect(dialog.findChild<QProgressBar*>(), &QProgressBar::valueChanged, &dialog,
                    [&](int position) {
                        // Some way into the read, or into the reading back of the write.
                        if (position == (transfer == ETransfer::Read ? 5 : writeSteps + 5))
                            dialog.ExitButton()->click();
                    });
            dialog.Start();
            QCOMPARE(dialog.ExitButton()->isEnabled(), transfer == ETransfer::Read);
            QVERIFY(finished.wait(30000));
            QVERIFY(!dialog.isVisible());
            QVERIFY(!dialog.Done());
            QCOMPARE(program_->prompter->asked.last(), QStringLiteral("已取消"));
            QVERIFY(program_->prompter->errors.isEmpty());
            QCOMPARE(program_->ActiveImage(), before);
            CPosixSerialPort other;
            QVERIFY(other.OpenRadioPort(radio->DevicePath()).Succeeded());
        }
        // The write went out, so its image was kept; the cancelled read kept nothing.
        QCOMPARE(Backups().size(), std::size_t(1));
        QCOMPARE(Backups()[0].kind, EBackupKind::Write);
    }

    void aVerifiedWriteOfACorruptingRadioFailsNamingTheAddress() {
        radiosim::CFaults corrupt;
        corrupt.corruptWriteBlock = 3;
        corrupt.corruptWriteOffset = 7;
        auto radio = StartRadio(corrupt);
        program_->app->State().portName = radio->DevicePath();
        PressStartWhenShown();
        program_->app->Frame()->RunTransfer(ETransfer::Write);
        QCOMPARE(program_->prompter->errors.size(), 1);
        const QString error = program_->prompter->errors[0];
        QVERIFY2(error.startsWith(QStringLiteral("写入校验失败 | 1 个字节不一致：0x0067")),
                 qPrintable(error));
        QVERIFY(!program_->prompter->asked.contains(QStringLiteral("写入并校验成功")));
    }

    void whileWritingNothingStopsItAndTheWindowStays() {
        auto radio = StartRadio({}, true); // paced: a write takes seconds
        CProgramState& state = program_->app->State();
        state.portName = radio->DevicePath();
        CSettingsFile(Settings()).WriteInteger("Setup", "Verify", 0);
        ui::CTransferDialog dialog(ETransfer::Write, program_->ActiveDoc().Document(), state, Settings(), *program_->prompter);
        QVERIFY(!dialog.VerifyBox()->isChecked());
        dialog.show();
        QSignalSpy finished(&dialog, &ui::CTransferDialog::Finished);
        dialog.Start();
        QVERIFY(dialog.Running());
        QVERIFY(!dialog.StartButton()->isEnabled());
        QVERIFY(!dialog.ExitButton()->isEnabled());
        dialog.Start();
        dialog.close();
        dialog.reject();
        QVERIFY(dialog.isVisible());
        QVERIFY(finished.wait(30000));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.Done());
        QCOMPARE(radio->Counters().wakeUps >= 1, true);
        QCOMPARE(radio->Counters().exchanges, 1);
    }

    void thePortDialogDisablesAHeldPortAndSelectsTheCurrentOne() {
        auto radio = StartRadio();
        auto held = StartRadio();
        CSettingsFile settings(program_->Path(QStringLiteral("Program.ini")).toStdString());
        settings.WriteText("Ports", "COM1", radio->DevicePath());
        settings.WriteText("Ports", "COM2", held->DevicePath());
        CPosixSerialPort holder;
        QVERIFY(holder.OpenRadioPort(held->DevicePath()).Succeeded());
        CProgramState& state = program_->app->State();
        state.portName = "COM1";
        CPosixSerialPort probe{CSettingsFile(settings.Path())};
        ui::CPortDialog dialog(state, settings.Path(), probe);
        QVERIFY(dialog.Button(1)->isEnabled());
        QVERIFY(dialog.Button(1)->isChecked());
        QVERIFY(!dialog.Button(2)->isEnabled());
        QVERIFY(dialog.Button(1)->text().contains(QString::fromStdString(radio->DevicePath())));
        dialog.Confirm();
        QCOMPARE(settings.ReadInteger("Setup", "COM", 0), 1);
        QCOMPARE(state.portName, std::string("COM1"));
    }
};

TARSEL_UI_TEST_MAIN(TransfersTest)
#include "transfers_test.moc"
