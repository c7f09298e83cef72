// The service windows' exchanges run behind a progress window while their own window keeps its
// event loop: against a paced virtual radio, so an exchange lasts long enough to be watched.
#include "ui/uitestsupport.h"

#include "core/image/datafile.h"
#include "core/radiolink/posixserialport.h"
#include "ui/service/decoderdialog.h"
#include "ui/service/parameteradjustdialog.h"
#include "ui/service/radioinfodialog.h"

#include <QPushButton>
#include <QTimer>

using namespace tarsel;

namespace {

// Both regions filled with a pattern the start-up image does not hold.
void FillServiceRegions(std::vector<uint8_t>& memory) {
    for (uint16_t a = map::kDtmfDecoderRange.start; a < map::kCalibrationRange.end; ++a)
        memory[a] = static_cast<uint8_t>(a % 97);
}

// One service window: how it opens on the bench and the region it reads (none: the radio
// information, which leaves the image alone).
struct CWindowCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>(test::CServiceBench&)> open;
    std::optional<map::CRange> region;
};

const std::vector<CWindowCase>& Windows() {
    static const std::vector<CWindowCase> cases = {
        {"parameter adjustment",
         [](test::CServiceBench& bench) -> std::unique_ptr<QDialog> {
             return std::make_unique<ui::CParameterAdjustDialog>(bench.state, bench.state, bench.Settings(),
                                                                 bench.prompter);
         },
         map::kCalibrationRange},
        {"DTMF decoder",
         [](test::CServiceBench& bench) -> std::unique_ptr<QDialog> {
             return std::make_unique<ui::CDtmfDecoderDialog>(bench.state, bench.state, bench.Settings(),
                                                             bench.prompter);
         },
         map::kDtmfDecoderRange},
        {"radio information",
         [](test::CServiceBench& bench) -> std::unique_ptr<QDialog> {
             return std::make_unique<ui::CRadioInfoDialog>(bench.state.portName, bench.Settings(),
                                                           bench.prompter);
         },
         std::nullopt},
    };
    return cases;
}

QPushButton* Button(QDialog& window, const char* id) {
    return window.findChild<QPushButton*>(QString::fromLatin1(id));
}

// The progress window of a running exchange, if one is up.
QDialog* ProgressWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != QStringLiteral("serviceProgress")) return nullptr;
    return qobject_cast<QDialog*>(modal);
}

void StartPacedRadio(test::CServiceBench& bench) {
    radiosim::CConfig config;
    config.pace = true;
    bench.StartRadio(config, FillServiceRegions);
}

} // namespace

class ServiceExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowKeepsRunningWhileAReadIsAnswered() {
        for (const CWindowCase& window : Windows()) {
            test::CServiceBench bench;
            StartPacedRadio(bench);
            const CMemoryImage before = bench.state.image;
            auto dialog = window.open(bench);
            int ticksDuringExchange = 0;
            bool imageChangedEarly = false;
            QTimer timer;
            timer.setInterval(5);
            connect(&timer, &QTimer::timeout, [&] {
                // Counted only while the radio is answering: begun, not yet ended.
                const radiosim::CCounters counters = bench.radio->Counters();
                if (!ProgressWindow() || counters.exchanges == 0 || counters.endReads > 0) return;
                ++ticksDuringExchange;
                if (bench.state.image != before) imageChangedEarly = true;
            });
            timer.start();
            Button(*dialog, "1207")->click();
            timer.stop();
            QVERIFY2(ticksDuringExchange > 0, window.name);
            QVERIFY2(!imageChangedEarly, window.name); // staged until the exchange completed
            QVERIFY2(bench.prompter.errors.isEmpty(), window.name);
            QVERIFY(!ProgressWindow());
            const auto backups = bench.Backups();
            if (!window.region) {
                QVERIFY(bench.prompter.asked.isEmpty());
                QVERIFY(bench.state.image == before);
                QVERIFY(backups.empty());
                continue;
            }
            QCOMPARE(bench.prompter.asked, QStringList{QStringLiteral("读数据成功")});
            const auto memory = bench.radio->Memory();
            for (uint16_t a = window.region->start; a < window.region->end; ++a)
                QCOMPARE(bench.state.image[a], memory[a]);
            // The whole image as it stands after the read is kept, once.
            QCOMPARE(backups.size(), std::size_t(1));
            QCOMPARE(backups[0].kind, EBackupKind::Read);
            CMemoryImage kept;
            QVERIFY(!LoadDataFile(backups[0].path, kept));
            QVERIFY(kept == bench.state.image);
        }
    }

    void aReadIsCancelledByExitAndChangesNothing() {
        for (const CWindowCase& window : Windows()) {
            test::CServiceBench bench;
            StartPacedRadio(bench);
            const CMemoryImage before = bench.state.image;
            auto dialog = window.open(bench);
            bool pressed = false;
            QTimer::singleShot(0, [&] {
                QDialog* progress = ProgressWindow();
                if (!progress) return;
                auto* exit = progress->findChild<QPushButton*>(QStringLiteral("2"));
                if (!exit) return;
                pressed = true;
                exit->click();
            });
            Button(*dialog, "1207")->click();
            QVERIFY2(pressed, window.name);
            QCOMPARE(bench.prompter.asked, QStringList{QStringLiteral("已取消")});
            QVERIFY2(bench.prompter.errors.isEmpty(), window.name);
            QVERIFY2(bench.state.image == before, window.name);
            QVERIFY2(bench.Backups().empty(), window.name);
            CPosixSerialPort other; // the port is free again
            QVERIFY2(other.OpenRadioPort(bench.state.portName).Succeeded(), window.name);
        }
    }

    void aWriteCannotBeStoppedHalfWay() {
        for (const CWindowCase& window : Windows()) {
            if (!window.region) continue; // the radio information has nothing to write
            test::CServiceBench bench;
            StartPacedRadio(bench);
            radiosim::CVirtualRadio& radio = *bench.radio;
            auto dialog = window.open(bench);
            bool offeredExit = true;
            bool stayedUp = false;
            QTimer::singleShot(0, [&] {
                QDialog* progress = ProgressWindow();
                if (!progress) return;
                offeredExit = progress->findChild<QPushButton*>(QStringLiteral("2")) != nullptr;
                progress->reject(); // Escape
                progress->close();
                stayedUp = progress->isVisible();
            });
            Button(*dialog, "1208")->click();
            QVERIFY2(!offeredExit, window.name);
            QVERIFY2(stayedUp, window.name);
            QCOMPARE(bench.prompter.asked.last(), QStringLiteral("写数据成功"));
            QVERIFY2(bench.prompter.errors.isEmpty(), window.name);
            QVERIFY(radio.WaitFor([](const auto& c) { return c.endWrites >= 1; },
                                  std::chrono::seconds(20)));
            const auto memory = radio.Memory();
            for (uint16_t a = window.region->start; a < window.region->end; ++a)
                QCOMPARE(memory[a], bench.state.image[a]);
            QVERIFY2(bench.Backups().empty(), window.name); // only reads keep one here
        }
    }
};

TARSEL_UI_TEST_MAIN(ServiceExchangeTest)
#include "serviceexchange_test.moc"
