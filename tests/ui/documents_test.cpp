// Documents that own their images, the undo history, and the channel-row commands between them.
#include "ui/uitestsupport.h"

#include "core/image/channelrecord.h"
#include "radiosim/virtualradio.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/radiolink/transferdialog.h"
#include "ui/shell/childframe.h"
#include "ui/shell/mainframe.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

using namespace tarsel;
using Answer = ui::CPrompter::EAnswer;

namespace {

// Channels 1..count on 145.000, 145.025, ... MHz, channel 1 also named and on low power.
CMemoryImage ImageWith(int count, int64_t base = 14500000) {
    CMemoryImage image = BuildDefaultImage();
    for (int c = 1; c <= count; ++c) {
        WriteDefaultRecord(image, c);
        EncodeFrequencyField(base + 2500 * (count - c), image.Field<4>(RecordOffset(c)));
    }
    WriteChannelName(image, 1, "HOME");
    image[RecordOffset(1) + map::rec::kFlags] &= static_cast<uint8_t>(~map::rec::kFlagHighPower);
    CBandLimits limits;
    NormaliseThroughTable(image, limits);
    return image;
}

CMemoryImage Load(const QString& path) {
    CMemoryImage image;
    if (LoadDataFile(path.toStdString(), image)) qWarning("cannot load %s", qPrintable(path));
    return image;
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::CTestProgram> program_;
    QString a_, b_;

    ui::CMainFrame* Frame() const { return program_->app->Frame(); }
    ui::CProgramDoc* Open(const QString& path) {
        return program_->app->Docs().OpenDocumentFile(path);
    }
    static QString Cell(ui::CProgramDoc* doc, int channel, int column) {
        return doc->View()->Model()->index(channel - 1, column - 1).data().toString();
    }
    void Activate(ui::CProgramDoc* doc) {
        Frame()->MdiArea()->setActiveSubWindow(doc->Frame());
        QCOMPARE(program_->app->Docs().ActiveDocument(), doc);
    }
    void SelectRows(ui::CProgramDoc* doc, std::initializer_list<int> channels) {
        // As clicks on the row labels with Ctrl held do.
        QItemSelectionModel* selection = doc->View()->Grid()->selectionModel();
        const QAbstractItemModel* model = doc->View()->Grid()->model();
        selection->setCurrentIndex(model->index(*channels.begin() - 1, 0),
                                   QItemSelectionModel::Clear);
        for (int channel : channels)
            selection->select(model->index(channel - 1, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

private slots:
    void init() {
        program_ = std::make_unique<test::CTestProgram>();
        a_ = program_->Path(QStringLiteral("a.dat"));
        b_ = program_->Path(QStringLiteral("b.dat"));
        QVERIFY(!SaveDataFile(a_.toStdString(), ImageWith(3)));
        QVERIFY(!SaveDataFile(b_.toStdString(), ImageWith(5, 43500000)));
    }
    void cleanup() { program_.reset(); }

    void eachDocumentKeepsAndSavesItsOwnImage() {
        ui::CProgramDoc* a = Open(a_);
        a->View()->Model()->CommitEdit(a->View()->Model()->index(9, 0), QStringLiteral("146"));
        QVERIFY(a->Frame()->isWindowModified());
        ui::CProgramDoc* b = Open(b_);
        QVERIFY(b != a);
        QCOMPARE(Cell(a, 1, 1), QStringLiteral("145.05000"));
        QCOMPARE(Cell(a, 10, 1), QStringLiteral("146.00000"));
        QCOMPARE(Cell(b, 1, 1), QStringLiteral("435.10000"));
        QVERIFY(!b->Frame()->isWindowModified());

        Activate(a);
        QVERIFY(Frame()->FileSave());
        const CMemoryImage savedA = Load(a_);
        QCOMPARE(ReceiveFrequency(savedA, 10), int64_t(14600000));
        QCOMPARE(ReceiveFrequency(savedA, 1), int64_t(14505000));
        QCOMPARE(Load(b_), ImageWith(5, 43500000));
        QVERIFY(!a->Frame()->isWindowModified());
    }

    void aReadFillsTheDocumentThatStartedIt() {
        radiosim::CConfig config;
        auto radio = test::StartVirtualRadio(config, [](std::vector<uint8_t>& memory) {
            const CMemoryImage image = ImageWith(7, 15000000);
            std::copy(image.Bytes().begin(), image.Bytes().end(), memory.begin());
        });
        program_->app->State().portName = radio->DevicePath();
        ui::CProgramDoc* a = Open(a_);
        ui::CProgramDoc* b = Open(b_);
        Activate(a);
        // The user switches to B while the progress window is up.
        QTimer::singleShot(0, this, [this, b] {
            Frame()->MdiArea()->setActiveSubWindow(b->Frame());
            if (auto* dialog = qobject_cast<ui::CTransferDialog*>(QApplication::activeModalWidget()))
                dialog->StartButton()->click();
        });
        Frame()->RunTransfer(ETransfer::Read);
        QVERIFY(program_->prompter->errors.isEmpty());
        QCOMPARE(Cell(a, 1, 1), QStringLiteral("150.15000"));
        QCOMPARE(Cell(b, 1, 1), QStringLiteral("435.10000"));
        QCOMPARE(a->UndoStack()->undoText(), QStringLiteral("读频"));
        a->UndoStack()->undo();
        QCOMPARE(Cell(a, 1, 1), QStringLiteral("145.05000"));
        QVERIFY(!a->IsModified());
    }

    void quittingAsksForEveryModifiedDocumentAndCancelKeepsThem() {
        ui::CProgramDoc* a = Open(a_);
        ui::CProgramDoc* b = Open(b_);
        for (ui::CProgramDoc* doc : {a, b})
            doc->View()->Model()->CommitEdit(doc->View()->Model()->index(20, 0),
                                             QStringLiteral("147"));
        a->Frame()->close(); // hidden, still modified
        program_->prompter->asked.clear();
        program_->prompter->answers = {Answer::No, Answer::Cancel};
        QVERIFY(!Frame()->close());
        QCOMPARE(program_->prompter->asked.size(), 2);
        QVERIFY(program_->prompter->asked[0].contains(QStringLiteral("a.dat")));
        QVERIFY(program_->prompter->asked[1].contains(QStringLiteral("b.dat")));
        QVERIFY(a->IsModified() && b->IsModified());
        QCOMPARE(Load(a_), ImageWith(3));
        program_->prompter->answers = {Answer::Yes, Answer::No};
        QVERIFY(Frame()->close());
        QCOMPARE(ReceiveFrequency(Load(a_), 21), int64_t(14700000));
        QCOMPARE(Load(b_), ImageWith(5, 43500000));
    }

    // Every kind of step, undone, leaves what saving writes exactly as it was; redone, exactly as
    // it was after the step.
    void undoAndRedoRestoreExactly_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("grid cell") << 0;
        QTest::newRow("insert") << 1;
        QTest::newRow("delete") << 2;
        QTest::newRow("clear") << 3;
        QTest::newRow("sort") << 4;
        QTest::newRow("cut and paste") << 5;
        QTest::newRow("optional features") << 6;
    }
    void undoAndRedoRestoreExactly() {
        QFETCH(int, kind);
        ui::CProgramDoc* doc = Open(b_);
        ui::CProgramView* view = doc->View();
        const CMemoryImage original = doc->Document().Parsed();
        SelectRows(doc, {2, 4});
        switch (kind) {
        case 0: view->Model()->CommitEdit(view->Model()->index(4, 0), QStringLiteral("438.0031")); break;
        case 1: QCOMPARE(view->InsertRow(), ERowEditOutcome::Done); break;
        case 2: QCOMPARE(view->DeleteRows(), ERowEditOutcome::Done); break;
        case 3: QCOMPARE(view->ClearRows(), ERowEditOutcome::Done); break;
        case 4: QCOMPARE(view->SortRows(), ERowEditOutcome::Done); break;
        case 5:
            QCOMPARE(view->CutRows(), ERowEditOutcome::Done);
            view->Grid()->setCurrentIndex(view->Model()->index(100, 0));
            QCOMPARE(view->PasteRows(), ERowEditOutcome::Done);
            break;
        case 6:
            QTimer::singleShot(0, this, [] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog);
                auto* box = dialog->findChild<QComboBox*>(QStringLiteral("1171"));
                QVERIFY(box);
                box->setCurrentIndex((box->currentIndex() + 1) % box->count());
                QTest::keyClick(box, Qt::Key_Escape);
            });
            Frame()->Action(ui::cmd::kOptionalFeatures)->trigger();
            break;
        }
        const CMemoryImage edited = doc->Document().Parsed();
        QVERIFY(!(edited == original));
        QVERIFY(doc->Frame()->isWindowModified());
        const int steps = doc->UndoStack()->count();
        QVERIFY(steps >= 1);
        for (int i = 0; i < steps; ++i) Frame()->Action(ui::cmd::kUndo)->trigger();
        QCOMPARE(doc->Document().Parsed(), original);
        QVERIFY(!doc->Frame()->isWindowModified());
        QCOMPARE(Cell(doc, 1, 1), QStringLiteral("435.10000"));
        for (int i = 0; i < steps; ++i) Frame()->Action(ui::cmd::kRedo)->trigger();
        QCOMPARE(doc->Document().Parsed(), edited);
        QVERIFY(Frame()->FileSave());
        QCOMPARE(Load(b_), edited);
    }

    void undoNamesTheCellAndRefusedCommandsAddNoStep() {
        ui::CProgramDoc* doc = Open(a_);
        doc->View()->Model()->CommitEdit(doc->View()->Model()->index(4, 0), QStringLiteral("146"));
        QCOMPARE(Frame()->Action(ui::cmd::kUndo)->text(), QStringLiteral("撤销 A 005 接收频率"));
        SelectRows(doc, {257});
        Frame()->Action(ui::cmd::kClear)->trigger();
        QCOMPARE(program_->prompter->errors.size(), 1);
        QCOMPARE(doc->UndoStack()->count(), 1);
    }

    void copiedChannelsPasteByteExactIntoAnotherDocument() {
        ui::CProgramDoc* a = Open(a_);
        ui::CProgramDoc* b = Open(b_);
        Activate(a);
        SelectRows(a, {1, 2});
        Frame()->Action(ui::cmd::kCopy)->trigger();
        QVERIFY(QApplication::clipboard()->mimeData()->text().startsWith(
            QStringLiteral("A 001\t145.05000\t\t无\t无\t低\t是\t宽\t关\tHOME\n")));
        Activate(b);
        b->View()->Grid()->setCurrentIndex(b->View()->Model()->index(139, 0)); // B 012
        Frame()->Action(ui::cmd::kPaste)->trigger();
        const CMemoryImage from = a->Document().Parsed(), to = b->Document().Parsed();
        for (int i = 0; i < 2; ++i)
            for (int byte = 0; byte < map::kChannelRecordSize; ++byte)
                QCOMPARE(to[RecordOffset(140 + i) + byte], from[RecordOffset(1 + i) + byte]);
        QCOMPARE(Cell(b, 140, 9), QStringLiteral("HOME"));
    }

    void spreadsheetTextIsCorrectedAsIfTyped() {
        ui::CProgramDoc* doc = Open(a_);
        QApplication::clipboard()->setText(QStringLiteral("145.0031\t\t67\n300\t\tD23\t\t低\n"));
        doc->View()->Grid()->setCurrentIndex(doc->View()->Model()->index(9, 0));
        Frame()->Action(ui::cmd::kPaste)->trigger();
        QCOMPARE(Cell(doc, 10, 1), QStringLiteral("145.00000"));
        QCOMPARE(Cell(doc, 10, 3), QStringLiteral("D067N"));
        QCOMPARE(Cell(doc, 11, 1), QStringLiteral("136.00000")); // outside both bands: into the first
        QCOMPARE(Cell(doc, 11, 3), QStringLiteral("D023N"));
        QCOMPARE(Cell(doc, 11, 5), QStringLiteral("低"));
        QCOMPARE(doc->UndoStack()->count(), 1);
    }
};

TARSEL_UI_TEST_MAIN(DocumentsTest)
#include "documents_test.moc"
