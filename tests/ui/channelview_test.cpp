// The channel list through its window: fill and parse, the three editors, Enter and the arrows.
#include "ui/uitestsupport.h"

#include "core/image/channelrecord.h"
#include "ui/channelview/celleditors.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/mainframe.h"
#include "ui/shell/programdoc.h"

#include <QComboBox>
#include <QLineEdit>

using namespace tarsel;

class ChannelViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::CTestProgram> program_;
    ui::CProgramView* view_ = nullptr;
    ui::CChannelGrid* grid_ = nullptr;

    QString Cell(int channel, int column) const {
        return view_->Model()->index(channel - 1, column - 1).data().toString();
    }
    QPoint CellCentre(int channel, int column) const {
        const QModelIndex index = view_->Model()->index(channel - 1, column - 1);
        grid_->scrollTo(index);
        return grid_->visualRect(index).center();
    }
    QWidget* ClickCell(int channel, int column) {
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(channel, column));
        return view_->Editors()->OpenEditor();
    }
    // Types into whatever editor is open, then moves the focus away, as clicking elsewhere does.
    void TypeAndLeave(QWidget* editor, const QString& text) {
        QVERIFY(editor);
        QWidget* target = editor;
        if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->isEditable())
            target = combo->lineEdit();
        if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
        QTest::keyClicks(target, text);
        grid_->setFocus();
        QApplication::processEvents();
    }

private slots:
    void init() {
        program_ = std::make_unique<test::CTestProgram>();
        view_ = program_->app->Docs().ActiveDocument()->View();
        grid_ = view_->Grid();
        program_->app->Frame()->resize(1200, 800);
        program_->app->Frame()->activateWindow();
        QApplication::setActiveWindow(program_->app->Frame());
    }
    void cleanup() { program_.reset(); }

    void fillAndParseThroughTheView() {
        CMemoryImage& image = program_->ActiveImage();
        WriteDefaultRecord(image, 3);
        EncodeFrequencyField(14512500, image.Field<4>(RecordOffset(3)));
        view_->FillFromImage();
        QCOMPARE(Cell(3, 1), QStringLiteral("145.12500"));
        QCOMPARE(Cell(3, 5), QStringLiteral("高"));
        QCOMPARE(grid_->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("A 003"));
        QCOMPARE(grid_->model()->headerData(257, Qt::Vertical).toString(), QStringLiteral("B VFO"));
        QCOMPARE(grid_->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("接收频率"));
        view_->ParseIntoImage();
        QCOMPARE(image[0x2E20], uint8_t(3)); // finalised: first present A memory
    }

    void frequencyEditorCommitsOnFocusOut() {
        QWidget* editor = ClickCell(5, 1);
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        TypeAndLeave(editor, QStringLiteral("145.0101"));
        QCOMPARE(Cell(5, 1), QStringLiteral("145.01000"));
        QCOMPARE(Cell(5, 2), QStringLiteral("145.01000"));
        QCOMPARE(Cell(5, 3), QStringLiteral("无"));
        QCOMPARE(Cell(5, 8), QStringLiteral("关"));
    }

    void frequencyEditorDropsOtherCharacters() {
        QWidget* editor = ClickCell(1, 1);
        TypeAndLeave(editor, QStringLiteral("1a4b5-x.5"));
        QCOMPARE(Cell(1, 1), QStringLiteral("145.50000"));
    }

    void toneAndChoiceEditorsCommitOnFocusOut() {
        TypeAndLeave(ClickCell(7, 1), QStringLiteral("435"));
        QWidget* tone = ClickCell(7, 4);
        QVERIFY(qobject_cast<QComboBox*>(tone) && qobject_cast<QComboBox*>(tone)->isEditable());
        TypeAndLeave(tone, QStringLiteral("d23i"));
        QCOMPARE(Cell(7, 4), QStringLiteral("D023I"));
        auto* choice = qobject_cast<QComboBox*>(ClickCell(7, 8));
        QVERIFY(choice && !choice->isEditable());
        QCOMPARE(choice->count(), 3);
        choice->setCurrentIndex(2);
        grid_->setFocus();
        QApplication::processEvents();
        QCOMPARE(Cell(7, 8), QStringLiteral("QT/DQT"));
    }

    // The list holds "233.6", "250.3" and "67.0": what is typed must not be completed to them.
    void toneEditorTakesWhatIsTyped() {
        TypeAndLeave(ClickCell(13, 1), QStringLiteral("435"));
        const std::pair<const char*, const char*> cases[] = {
            {"23", "D023N"}, {"25", "D025N"}, {"67", "D067N"}, {"d23", "D023N"}, {"88.5", "88.5"},
        };
        for (const auto& [typed, stored] : cases) {
            auto* tone = qobject_cast<QComboBox*>(ClickCell(13, 4));
            QVERIFY(tone && tone->lineEdit());
            tone->lineEdit()->selectAll();
            QTest::keyClicks(tone->lineEdit(), QString::fromLatin1(typed));
            QTest::keyClick(tone->lineEdit(), Qt::Key_Return);
            QApplication::processEvents();
            QCOMPARE(Cell(13, 4), QString::fromLatin1(stored));
        }
    }

    void anEmptyRowEditsItsReceiveCellFirst() {
        QWidget* editor = ClickCell(9, 3);
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        QCOMPARE(grid_->currentIndex().column(), 0);
        grid_->setFocus();
        QApplication::processEvents();
        QCOMPARE(Cell(9, 1), QString());
    }

    void enterMovesRightOrDown() {
        grid_->setFocus();
        grid_->MoveTo(10, 1);
        QTest::keyClick(grid_, Qt::Key_Return); // opens the frequency editor
        QWidget* editor = view_->Editors()->OpenEditor();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("146"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid_->currentIndex().column(), 1); // moved right
        QCOMPARE(Cell(10, 1), QStringLiteral("146.00000"));
        // An emptied frequency editor moves down instead.
        grid_->MoveTo(20, 1);
        QTest::keyClick(grid_, Qt::Key_Return);
        editor = view_->Editors()->OpenEditor();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid_->currentIndex().row(), 20);
    }

    void arrowsWrapAtTheEndsOfARow() {
        grid_->setFocus();
        // The name (column 9) is the last column.
        grid_->MoveTo(5, 8);
        QTest::keyClick(grid_, Qt::Key_Right);
        QCOMPARE(grid_->currentIndex(), grid_->model()->index(4, 8));
        QTest::keyClick(grid_, Qt::Key_Right);
        QCOMPARE(grid_->currentIndex(), grid_->model()->index(5, 0));
        QTest::keyClick(grid_, Qt::Key_Left);
        QCOMPARE(grid_->currentIndex(), grid_->model()->index(4, 8));
        grid_->MoveTo(258, 9);
        QTest::keyClick(grid_, Qt::Key_Right);
        QCOMPARE(grid_->currentIndex(), grid_->model()->index(257, 8));
        grid_->MoveTo(1, 1);
        QTest::keyClick(grid_, Qt::Key_Left);
        QCOMPARE(grid_->currentIndex(), grid_->model()->index(0, 0));
    }

    void nameEditorTakesSevenPrintableCharacters() {
        QCOMPARE(grid_->model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("名称"));
        TypeAndLeave(ClickCell(12, 1), QStringLiteral("145.5"));
        auto* editor = qobject_cast<QLineEdit*>(ClickCell(12, 9));
        QVERIFY(editor);
        TypeAndLeave(editor, QStringLiteral("Rpt-1.XYZ"));
        QCOMPARE(Cell(12, 9), QStringLiteral("Rpt-1.X"));
        QCOMPARE(program_->ActiveImage()[RecordOffset(12) + 24], uint8_t('R'));
        // The name stays when the receive frequency changes, and Enter moves on to the next row.
        TypeAndLeave(ClickCell(12, 1), QStringLiteral("146"));
        QCOMPARE(Cell(12, 9), QStringLiteral("Rpt-1.X"));
        editor = qobject_cast<QLineEdit*>(ClickCell(12, 9));
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid_->currentIndex(), grid_->model()->index(12, 0));
    }

    void parsingCommitsAnEditInProgress() {
        QWidget* editor = ClickCell(11, 1);
        QTest::keyClicks(editor, QStringLiteral("147"));
        view_->ParseIntoImage(); // as Save does, with the editor still open
        QCOMPARE(Cell(11, 1), QStringLiteral("147.00000"));
        QCOMPARE(program_->ActiveImage()[RecordOffset(11) + 3], uint8_t(0x14));
    }
};

TARSEL_UI_TEST_MAIN(ChannelViewTest)
#include "channelview_test.moc"
