// Several files at once: where the keyboard is, where the windows are, and that the causes of a
// failed exchange are told in English to an English user.
#include "ui/uitestsupport.h"

namespace tarsel::test {

namespace {

// Closes the modal window a command is about to open, as Escape would.
void CloseNextDialog() {
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    static ui::CChannelGrid* GridOf(ui::CProgramDoc* doc) { return doc->View()->Grid(); }

private slots:
    // Each file named opens in a window of its own, in order, the last one active; one that
    // cannot be read is reported and the others still open. Switching windows, a new file, a closed
    // dialog, a click on a row label: the keys are the grid's every time.
    void everyFileNamedOpensAndTheKeyboardStaysInTheGrid() {
        CTestProgram names;
        QStringList files;
        for (const char* name : {"a.dat", "missing.dat", "b.dat"})
            files << names.Path(QString::fromLatin1(name));
        for (int i : {0, 2}) QVERIFY(!SaveDataFile(files[i].toStdString(), BuildDefaultImage()));
        CTestProgram program(files);
        const auto& docs = program.app->Docs().Documents();
        QCOMPARE(docs.size(), std::size_t(2));
        QCOMPARE(docs[0]->Path(), files[0]);
        QCOMPARE(docs[1]->Path(), files[2]);
        QCOMPARE(program.prompter->errors.size(), 1);
        QVERIFY(program.prompter->errors[0].contains(QStringLiteral("missing.dat")));
        ui::CMainFrame& frame = *program.app->Frame();
        QVERIFY(ShowActive(frame));
        // The widget that has the keys, or gets them when the window is active again (after a
        // dialog, say).
        const auto Focused = [&frame] { return frame.focusWidget(); };
        ui::CProgramDoc* a = docs[0].get();
        ui::CProgramDoc* b = docs[1].get();
        QCOMPARE(&program.ActiveDoc(), b);
        QTRY_COMPARE(Focused(), GridOf(b));

        QTest::keyClick(Focused(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyRelease(Focused(), Qt::Key_Control);
        QTRY_COMPARE(program.app->Docs().ActiveDocument(), a);
        QCOMPARE(Focused(), GridOf(a));
        QTest::keyClick(Focused(), Qt::Key_Down);
        QCOMPARE(GridOf(a)->currentIndex().row(), 1);
        QCOMPARE(GridOf(b)->currentIndex().row(), 0);

        frame.Action(ui::cmd::kFileNew)->trigger();
        ui::CProgramDoc* fresh = &program.ActiveDoc();
        QVERIFY(fresh != a && fresh != b && docs.size() == 3);
        QCOMPARE(Focused(), GridOf(fresh));

        // The list's own button, then a command of the menus, each opening a dialog.
        CloseNextDialog();
        QTest::mouseClick(fresh->View()->findChild<QPushButton*>(QStringLiteral("1237")),
                          Qt::LeftButton);
        QTRY_COMPARE(Focused(), GridOf(fresh));
        frame.NavigationBar()->setFocus();
        CloseNextDialog();
        frame.Action(ui::cmd::kOptionalFeatures)->trigger();
        QTRY_COMPARE(Focused(), GridOf(fresh));

        frame.NavigationBar()->setFocus();
        QHeaderView* labels = GridOf(fresh)->verticalHeader();
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, {},
                          QPoint(labels->width() / 2, labels->sectionViewportPosition(3) + 2));
        QCOMPARE(Focused(), GridOf(fresh));
    }

    // The main window shows a whole list where the screen has room for one; no list window
    // reaches past the work area, at start or when another file opens.
    void theListWindowsStayInsideTheWorkArea() {
        QSettings().remove(QStringLiteral("MainWindow"));
        CTestProgram program;
        ui::CMainFrame& frame = *program.app->Frame();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect screen = frame.screen()->availableGeometry();
        QVERIFY2(screen.contains(frame.frameGeometry()) || frame.isMaximized(),
                 "the main window is larger than the screen");
        const auto outside = [&] {
            QList<QRect> outside;
            for (QMdiSubWindow* window : frame.MdiArea()->subWindowList())
                if (!frame.MdiArea()->viewport()->rect().contains(window->geometry()))
                    outside << window->geometry();
            return outside;
        };
        QCOMPARE(outside(), QList<QRect>());
        QMdiSubWindow* first = program.ActiveDoc().Frame();
        if (screen.width() >= 1600) QCOMPARE(first->size(), first->sizeHint());
        for (int i = 0; i < 3; ++i) frame.Action(ui::cmd::kFileNew)->trigger();
        QCOMPARE(outside(), QList<QRect>());
        frame.resize(frame.width() * 2 / 3, frame.height() * 2 / 3);
        QApplication::processEvents();
        QCOMPARE(outside(), QList<QRect>());
    }

    // Printed here rather than with the shell's cases, which run under a locale of their own
    // from LOCPATH: there the C library's print path leaks a few bytes of its own.
    void printsTheChannelListToPdf() {
        CTestProgram program;
        ui::CProgramView* view = program.ActiveDoc().View();
        view->Model()->CommitEdit(view->Model()->index(0, 0), QStringLiteral("145"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(program.Path(QStringLiteral("list.pdf")));
        view->Print(&printer);
        QFile pdf(program.Path(QStringLiteral("list.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(4) == "%PDF");
        QVERIFY(pdf.size() > 4000); // 258 rows over several pages
    }

    // An English user reads a cause in English, with its values and the words within it.
    void causesAreToldInTheInterfaceLanguage() {
        ui::CTranslations english;
        english.Install(ui::ELanguage::English);
        const CExchangeResult failed{
            EExchangeOutcome::VerificationFailed, {}, {}, {1, {{0x0010, 0x01, 0x02}}}, false};
        QCOMPARE(ui::CoreText(CauseWords(failed)),
                 QStringLiteral("1 byte differs: 0x0010 written 0x01 read 0x02"));
    }
};

} // namespace tarsel::test

TARSEL_UI_TEST_MAIN(tarsel::test::WindowsTest)
#include "windows_test.moc"
