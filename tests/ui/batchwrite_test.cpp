// "批量写频" against virtual radios: a row per port, each radio on its own.
#include "ui/uitestsupport.h"

#include "../core/testimage.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/settingsfile.h"
#include "ui/radiolink/batchwritedialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

#include <fstream>

using namespace tarsel;

namespace {

bool InClone(std::size_t i) { return i < 0x3000 || i >= 0x3F70; }

// Bytes of a radio's memory that are not what a write of image leaves there.
std::size_t WrongBytes(const radiosim::CVirtualRadio& radio, const CMemoryImage& image) {
    const auto memory = radio.Memory();
    std::size_t wrong = 0;
    for (std::size_t a = 0; a < CMemoryImage::kSize; ++a)
        wrong += memory[a] != (InClone(a) ? image[a] : 0xFF);
    return wrong;
}

} // namespace

class BatchWriteTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    CProgramState state_;
    test::CScriptedPrompter prompter_;
    std::filesystem::path Settings() const {
        return folder_.filePath(QStringLiteral("Program.ini")).toStdString();
    }
    std::vector<std::unique_ptr<radiosim::CVirtualRadio>> radios_;
    std::unique_ptr<QTemporaryDir> data_;

    // COM1..COM3 lead to radios, the third with fault; every other port to nothing.
    void StartRadios(const radiosim::CFaults& fault, bool verify) {
        radios_.clear();
        std::ofstream out(Settings());
        out << "[Setup]\nVerify=" << (verify ? 1 : 0) << "\n[Ports]\n";
        for (int n = 1; n <= 16; ++n) {
            std::string device = folder_.filePath(QStringLiteral("none")).toStdString();
            if (n <= 3) {
                radiosim::CConfig config;
                if (n == 3) config.faults = fault;
                radios_.push_back(test::StartVirtualRadio(config));
                device = radios_.back()->DevicePath();
            }
            out << "COM" << n << "=" << device << "\n";
        }
    }

    static bool RunAndWait(ui::CBatchWriteDialog& dialog, QPushButton* button) {
        QSignalSpy finished(&dialog, &ui::CBatchWriteDialog::Finished);
        button->click();
        // The window is busy but alive: nothing can be started twice or ticked meanwhile.
        const bool locked = !dialog.Running() || (!dialog.StartButton()->isEnabled() &&
                                                  !dialog.Row(1).tick->isEnabled());
        return finished.wait(60000) && locked && !dialog.Running();
    }

private slots:
    void init() {
        // The backups of each test in a folder of its own.
        data_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", data_->path().toUtf8());
    }

    void RowsShowEachRadiosOwnResult_data() {
        QTest::addColumn<int>("hangUp");
        QTest::addColumn<int>("corrupt");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("third");
        QTest::addColumn<QString>("thirdAgain");
        QTest::addColumn<int>("thirdWrong");
        QTest::newRow("pulled cable")
            << 5 << -1 << false << QStringLiteral("通信出错: 数据块 0x00A0")
            << QStringLiteral("无法打开串口: ") << -1;
        QTest::newRow("other bytes read back")
            << -1 << 2 << true << QStringLiteral("写入校验失败: 1 个字节不一致：0x0045")
            << QStringLiteral("写入校验失败: ") << 1;
    }

    void RowsShowEachRadiosOwnResult() {
        QFETCH(int, hangUp);
        QFETCH(int, corrupt);
        QFETCH(bool, verify);
        QFETCH(QString, third);
        QFETCH(QString, thirdAgain);
        QFETCH(int, thirdWrong);
        radiosim::CFaults fault;
        fault.hangUpBlock = hangUp;
        fault.corruptWriteBlock = corrupt;
        fault.corruptWriteOffset = 5;
        StartRadios(fault, verify);
        CMemoryImage image = test::RandomImage(51);
        ui::CBatchWriteDialog dialog(image, state_, Settings(), prompter_);
        image = test::RandomImage(53); // the window sends the snapshot it was given
        const CMemoryImage sent = test::RandomImage(51);

        for (int n = 1; n <= 16; ++n) {
            const auto& row = dialog.Row(n);
            QCOMPARE(row.tick->isChecked(), n <= 3);
            QCOMPARE(row.tick->accessibleName(), row.tick->text());
            if (n <= 3)
                QVERIFY(row.tick->text().endsWith(QString::fromStdString(
                    "  " + radios_[static_cast<std::size_t>(n - 1)]->DevicePath())));
        }
        QVERIFY(!dialog.RepeatButton()->isEnabled());

        QVERIFY(RunAndWait(dialog, dialog.StartButton()));
        for (int n : {1, 2}) {
            QCOMPARE(dialog.Row(n).result->text(), QStringLiteral("完成"));
            QCOMPARE(dialog.Row(n).bar->value(), dialog.Row(n).bar->maximum());
            QCOMPARE(WrongBytes(*radios_[static_cast<std::size_t>(n - 1)], sent), 0u);
        }
        QVERIFY2(dialog.Row(3).result->text().startsWith(third),
                 qPrintable(dialog.Row(3).result->text()));
        if (thirdWrong >= 0)
            QCOMPARE(WrongBytes(*radios_[2], sent), static_cast<std::size_t>(thirdWrong));
        for (int n = 4; n <= 16; ++n) QVERIFY(dialog.Row(n).result->text().isEmpty());
        QCOMPARE(CBackupStore().List().size(), 1u); // one image sent, one backup

        // The next set of radios: blank again, the same ports.
        for (int n : {1, 2}) radios_[static_cast<std::size_t>(n - 1)]->SetMemory({});
        QVERIFY(dialog.RepeatButton()->isEnabled());
        QVERIFY(RunAndWait(dialog, dialog.RepeatButton()));
        for (int n : {1, 2}) {
            QCOMPARE(dialog.Row(n).result->text(), QStringLiteral("完成"));
            QCOMPARE(WrongBytes(*radios_[static_cast<std::size_t>(n - 1)], sent), 0u);
        }
        QVERIFY2(dialog.Row(3).result->text().startsWith(thirdAgain),
                 qPrintable(dialog.Row(3).result->text()));
        QCOMPARE(CBackupStore().List().size(), 2u);
    }

    void NothingTickedNothingStarts() {
        StartRadios({}, false);
        ui::CBatchWriteDialog dialog(test::RandomImage(54), state_, Settings(), prompter_);
        for (int n = 1; n <= 3; ++n) dialog.Row(n).tick->setChecked(false);
        QVERIFY(!dialog.StartButton()->isEnabled());
        dialog.Start();
        QVERIFY(!dialog.Running());
        dialog.Row(2).tick->setChecked(true);
        QVERIFY(dialog.StartButton()->isEnabled());
        QVERIFY(RunAndWait(dialog, dialog.StartButton()));
        QCOMPARE(dialog.Row(2).result->text(), QStringLiteral("完成"));
        QVERIFY(dialog.Row(1).result->text().isEmpty());
        for (uint8_t byte : radios_[0]->Memory()) QCOMPARE(byte, uint8_t{0xFF}); // not ticked
    }
};

TARSEL_UI_TEST_MAIN(BatchWriteTest)
#include "batchwrite_test.moc"
