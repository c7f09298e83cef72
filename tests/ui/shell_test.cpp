// The program's shell: documents, the main window's commands, splash, about and the unsaved-work
// question.
#include "ui/uitestsupport.h"

#include "core/image/channelrecord.h"
#include "core/radiolink/settingsfile.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/shell/aboutdialog.h"
#include "ui/shell/childframe.h"
#include "ui/shell/docmanager.h"
#include "ui/shell/mainframe.h"
#include "ui/shell/navigationbar.h"
#include "ui/shell/passworddialog.h"
#include "ui/shell/programdoc.h"
#include "ui/shell/splash.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>

using namespace tarsel;
using Answer = ui::CPrompter::EAnswer;

namespace {

void WriteFile(const QString& path, const CMemoryImage& image) {
    QVERIFY(!SaveDataFile(path.toStdString(), image));
}

CMemoryImage ImageWithChannel(int channel, int64_t rx) {
    CMemoryImage image = BuildDefaultImage();
    WriteDefaultRecord(image, channel);
    EncodeFrequencyField(rx, image.Field<4>(RecordOffset(channel)));
    return image;
}

QStringList MenuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions()) titles << action->text();
    return titles;
}

// Every menu of the bar and every command in them, as objects.
QList<QObject*> MenuObjects(QMenuBar* bar) {
    QList<QObject*> objects;
    for (QAction* top : bar->actions()) {
        objects << top << top->menu();
        for (QAction* action : top->menu()->actions()) objects << action;
    }
    return objects;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithANewDocumentAndTheMenusOfADocument() {
        test::CTestProgram program;
        ui::CMainFrame* frame = program.app->Frame();
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件"));
        QCOMPARE(program.ActiveImage(), BuildDefaultImage());
        QCOMPARE(MenuTitles(frame->menuBar()),
                 QString::fromUtf8("文件 编辑 编程 设置 视图 帮助").split(QLatin1Char(' ')));
        QMenu* edit = frame->menuBar()->actions()[1]->menu();
        QVERIFY(edit);
        for (QAction* action : edit->actions()) {
            QVERIFY(action->text() != QStringLiteral("参数调节"));
            QVERIFY(action->text() != QStringLiteral("DTMF 初始化"));
        }
    }

    // Accessibility tools hold on to the menus they found: saving, closing the last document and
    // starting a new one switch between the two menu bars and update the recent files in place.
    void theMenusStayTheSameObjects() {
        test::CTestProgram program;
        ui::CMainFrame* frame = program.app->Frame();
        QMenuBar* bar = frame->menuBar();
        const QList<QObject*> before = MenuObjects(bar);
        const QString path = program.Path(QStringLiteral("saved.dat"));
        QVERIFY(program.app->Docs().SaveDocument(program.app->Docs().ActiveDocument(), path));
        QCOMPARE(frame->menuBar(), bar);
        QCOMPARE(MenuObjects(bar), before);
        QMenu* file = bar->actions()[0]->menu();
        QStringList recent;
        for (QAction* action : file->actions())
            if (action->isVisible() && action->text().startsWith(QLatin1Char('&')))
                recent << action->text();
        QVERIFY(!recent.isEmpty());
        QCOMPARE(recent.first(), QStringLiteral("&1 ") + QFileInfo(path).canonicalFilePath());

        program.app->Docs().CloseDocument(program.app->Docs().ActiveDocument());
        QTRY_COMPARE(MenuTitles(bar), QString::fromUtf8("文件 视图 帮助").split(QLatin1Char(' ')));
        program.app->Docs().NewDocument();
        QTRY_COMPARE(MenuObjects(bar), before);
    }

    void fileNewOpensAnotherDocumentAndClosesNothing() {
        test::CTestProgram program;
        program.ActiveImage()[0x2040] = 0x77;
        ui::CProgramDoc* first = &program.ActiveDoc();
        program.app->Frame()->FileNew();
        QVERIFY(program.prompter->asked.isEmpty());
        QCOMPARE(program.app->Docs().Documents().size(), std::size_t(2));
        QVERIFY(&program.ActiveDoc() != first);
        QCOMPARE(program.ActiveImage()[0x2040], uint8_t(0x1E));
        QCOMPARE(first->Document().Image()[0x2040], uint8_t(0x77));
    }

    void closeHidesAndChannelListShowsAgain() {
        test::CTestProgram program;
        ui::CProgramDoc* doc = program.app->Docs().ActiveDocument();
        doc->View()->Model()->CommitEdit(doc->View()->Model()->index(0, 0), QStringLiteral("145"));
        program.app->Frame()->FileClose();
        QVERIFY(!doc->Frame()->isVisible());
        QCOMPARE(program.app->Docs().Documents().size(), std::size_t(1));
        // From the navigation tree.
        QTreeWidget* tree = program.app->Frame()->NavigationBar()->Tree();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QVERIFY(doc->Frame()->isVisible());
        QCOMPARE(doc->View()->Model()->index(0, 0).data().toString(), QStringLiteral("145.00000"));
        QTRY_COMPARE(tree->currentItem(), tree->topLevelItem(0));
        // And from the Edit menu.
        program.app->Frame()->FileClose();
        program.app->Frame()->Action(ui::cmd::kChannelList)->trigger();
        QVERIFY(doc->Frame()->isVisible());
    }

    void openingAnOpenFileDoesNotReload() {
        test::CTestProgram program;
        const QString path = program.Path(QStringLiteral("a.dat"));
        WriteFile(path, ImageWithChannel(1, 14500000));
        ui::CProgramDoc* doc = program.app->Docs().OpenDocumentFile(path);
        QVERIFY(doc);
        program.app->Frame()->FileClose();
        WriteFile(path, ImageWithChannel(1, 15000000)); // changed on disk meanwhile
        QCOMPARE(program.app->Docs().OpenDocumentFile(path), doc);
        QVERIFY(doc->Frame()->isVisible());
        QCOMPARE(doc->View()->Model()->index(0, 0).data().toString(), QStringLiteral("145.00000"));
    }

    void openAndSaveRoundTrip() {
        test::CTestProgram program;
        const QString in = program.Path(QStringLiteral("in.dat"));
        const QString out = program.Path(QStringLiteral("out.dat"));
        CMemoryImage image = ImageWithChannel(2, 43912500);
        CBandLimits limits;
        NormaliseThroughTable(image, limits);
        WriteFile(in, image);
        ui::CProgramDoc* doc = program.app->Docs().OpenDocumentFile(in);
        QVERIFY(doc);
        QVERIFY(program.app->Docs().SaveDocument(doc, out));
        CMemoryImage saved;
        QVERIFY(!LoadDataFile(out.toStdString(), saved));
        QCOMPARE(saved, image);
        QCOMPARE(doc->Title(), QStringLiteral("out.dat"));
        QVERIFY(program.app->Docs().RecentFiles().contains(QFileInfo(out).canonicalFilePath()));
    }

    void aDamagedFileIsReportedAndNothingIsHalfLoaded() {
        test::CTestProgram program;
        const QString path = program.Path(QStringLiteral("short.dat"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, 0x11));
        file.close();
        const CMemoryImage before = program.ActiveImage();
        QVERIFY(!program.app->Docs().OpenDocumentFile(path));
        QCOMPARE(program.prompter->errors.size(), 1);
        QVERIFY(program.prompter->errors[0].contains(QStringLiteral("short.dat")));
        QCOMPARE(program.ActiveImage(), before);
    }

    void startingWithAFileThatCannotBeReadStartsANewDocument() {
        test::CTestProgram program({QStringLiteral("/nonexistent/x.dat")});
        QCOMPARE(program.prompter->errors.size(), 1);
        QCOMPARE(program.app->Docs().Documents().size(), std::size_t(1));
        QCOMPARE(program.ActiveImage(), BuildDefaultImage());
    }

    void splashSwallowsTheClick() {
        QPixmap picture(40, 30);
        picture.fill(Qt::red);
        auto* splash = new ui::CSplash(picture, 10000);
        splash->show();
        QPointer<ui::CSplash> alive(splash);
        QWidget other;
        other.show();
        bool clicked = false;
        class CClickCatcher : public QObject {
        public:
            bool* seen;
            explicit CClickCatcher(bool* s) : seen(s) {}
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::MouseButtonPress) *seen = true;
                return false;
            }
        } catcher(&clicked);
        other.installEventFilter(&catcher);
        QTest::mouseClick(&other, Qt::LeftButton);
        QVERIFY(!clicked);
        QTRY_VERIFY(alive.isNull());
        QTest::mouseClick(&other, Qt::LeftButton);
        QVERIFY(clicked);
    }

    void aboutShowsTheSettingsTexts() {
        test::CTestProgram program;
        CSettingsFile settings(program.Path(QStringLiteral("Program.ini")).toStdString());
        settings.WriteText("About", "Version", "版本 1.0");
        settings.WriteText("About", "Company", "某公司");
        ui::CAboutDialog dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("关于"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("version"))->text(),
                 QStringLiteral("版本 1.0"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("copyright"))->text(), QString());
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("company"))->text(),
                 QStringLiteral("某公司"));
    }

    void unsavedWorkIsAskedAbout() {
        test::CTestProgram program;
        ui::CMainFrame* frame = program.app->Frame();
        // Untouched: closes without a question.
        QVERIFY(frame->close());
        QVERIFY(program.prompter->asked.isEmpty());

        test::CTestProgram edited;
        ui::CProgramDoc* doc = edited.app->Docs().ActiveDocument();
        doc->View()->Model()->CommitEdit(doc->View()->Model()->index(0, 0), QStringLiteral("145"));
        edited.prompter->answers = {Answer::Cancel};
        QVERIFY(!edited.app->Frame()->close());
        QCOMPARE(edited.prompter->asked.size(), 1);
        QVERIFY(edited.prompter->asked[0].contains(QStringLiteral("无标题")));
        edited.prompter->answers = {Answer::No};
        QVERIFY(edited.app->Frame()->close());
    }

    void printsTheChannelListToPdf() {
        test::CTestProgram program;
        ui::CProgramDoc* doc = program.app->Docs().ActiveDocument();
        doc->View()->Model()->CommitEdit(doc->View()->Model()->index(0, 0), QStringLiteral("145"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(program.Path(QStringLiteral("list.pdf")));
        doc->View()->Print(&printer);
        QFile pdf(program.Path(QStringLiteral("list.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(4) == "%PDF");
        QVERIFY(pdf.size() > 4000); // 258 rows over several pages
    }

    void theServiceGate() {
        test::CTestProgram program;
        ui::CMainFrame* frame = program.app->Frame();
        ui::CProgramView* view = program.app->Docs().ActiveDocument()->View();
        auto editMenuTexts = [frame] {
            QStringList texts;
            for (QAction* menu : frame->menuBar()->actions())
                if (menu->text() == QStringLiteral("编辑"))
                    for (QAction* action : menu->menu()->actions()) texts << action->text();
            return texts;
        };
        QVERIFY(!view->InitialiseButton()->isVisibleTo(view));
        QApplication::setActiveWindow(frame); // shortcuts go to the active window
        QVERIFY(QTest::qWaitForWindowActive(frame));
        view->Grid()->setFocus();
        QTest::keyClick(view->Grid(), Qt::Key_F11);
        QVERIFY(program.prompter->asked.isEmpty()); // F11 alone does nothing
        program.prompter->passwords = {false, true, true};
        for (int attempt = 0; attempt < 3; ++attempt)
            QTest::keyClick(view->Grid(), Qt::Key_F11, Qt::ControlModifier);
        QCOMPARE(program.prompter->asked.size(), 3);
        QVERIFY(view->InitialiseButton()->isVisibleTo(view));
        const QStringList texts = editMenuTexts();
        QCOMPARE(texts.count(QStringLiteral("参数调节")), 1);
        QCOMPARE(texts.count(QStringLiteral("DTMF 初始化")), 1);
        QCOMPARE(texts.last(), QStringLiteral("DTMF 初始化"));
    }

    void thePasswordDialogTakesOnlyTheExactPassword() {
        const std::pair<QString, int> cases[] = {
            {QStringLiteral("mr274q"), QDialog::Accepted},
            {QStringLiteral("MR274Q"), QDialog::Rejected},
            {QStringLiteral("mr274"), QDialog::Rejected},
            {QString(), QDialog::Rejected},
        };
        for (const auto& [typed, result] : cases) {
            ui::CPasswordDialog dialog;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("密码"));
            QTest::keyClicks(dialog.Edit(), typed);
            dialog.Confirm();
            QCOMPARE(dialog.result(), result);
        }
        ui::CPasswordDialog dialog;
        QTest::keyClicks(dialog.Edit(), QStringLiteral("123456789"));
        QCOMPARE(dialog.Edit()->text(), QStringLiteral("12345678"));
        QCOMPARE(dialog.Edit()->echoMode(), QLineEdit::Password);
    }

    void navigationBarStaysBetweenItsLimits() {
        test::CTestProgram program;
        program.app->Frame()->resize(1000, 700);
        QCOMPARE(program.app->Frame()->NavigationBar()->maximumWidth(), 500);
        QCOMPARE(program.app->Frame()->NavigationBar()->minimumWidth(), 11);
        QAction* toggle = program.app->Frame()->Action(ui::cmd::kNavigationBar);
        QCOMPARE(toggle->text(), QStringLiteral("分隔栏"));
        QVERIFY(toggle->isCheckable());
    }
};

TARSEL_UI_TEST_MAIN(ShellTest)
#include "shell_test.moc"
