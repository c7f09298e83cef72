// The program's shell and its documents: menus and commands, files, the unsaved-work question,
// the undo history and the channel-row commands, the channel list's editors and keys, the
// interface language, and the editing windows (what each correction makes of a text is the
// core's). All under a locale with a decimal comma, which the application object must keep out of
// the numbers the radio's texts write with a point.
#include "ui/uitestsupport.h"

#include "commalocale.h"

namespace tarsel::test {

using Answer = ui::CPrompter::EAnswer;
using ui::ELanguage;

namespace {

// Channels 1..count on falling frequencies from base, channel 1 also named and on low power.
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

QStringList MenuTexts(QMenuBar* bar, const QString& menu = {}) {
    QStringList texts;
    for (QAction* top : bar->actions()) {
        if (menu.isEmpty()) texts << top->text();
        if (top->text() == menu)
            for (QAction* action : top->menu()->actions()) texts << action->text();
    }
    return texts;
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

// The two arrow buttons of a spin control: up, down.
QList<QToolButton*> Arrows(const QObject& window, int id) {
    return Find<QWidget>(window, id)->findChildren<QToolButton*>();
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CTestProgram> program_;
    QString a_, b_;

    ui::CMainFrame* Frame() const { return program_->app->Frame(); }
    ui::CProgramDoc* Open(const QString& path) {
        return program_->app->Docs().OpenDocumentFile(path);
    }
    void Activate(ui::CProgramDoc* doc) { Frame()->MdiArea()->setActiveSubWindow(doc->Frame()); }
    // As clicks on the row labels with Ctrl held do.
    static void SelectRows(ui::CProgramDoc* doc, std::initializer_list<int> channels) {
        QItemSelectionModel* selection = doc->View()->Grid()->selectionModel();
        const QAbstractItemModel* model = doc->View()->Grid()->model();
        selection->setCurrentIndex(model->index(*channels.begin() - 1, 0),
                                   QItemSelectionModel::Clear);
        for (int channel : channels)
            selection->select(model->index(channel - 1, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    ui::CProgramView* View() const { return program_->ActiveDoc().View(); }
    ui::CChannelGrid* Grid() const { return View()->Grid(); }
    QString Cell(int channel, int column) const {
        return CellText(program_->ActiveDoc(), channel, column);
    }
    QModelIndex Index(int channel, int column) const {
        return CellIndex(program_->ActiveDoc(), channel, column);
    }
    QWidget* Click(int channel, int column) {
        return ClickGridCell(program_->ActiveDoc(), channel, column);
    }
    // Types into whatever editor is open, then moves the focus away, as clicking elsewhere does.
    void TypeAndLeave(QWidget* editor, const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        Grid()->setFocus();
        QApplication::processEvents();
    }

private slots:
    void init() {
        QSettings().remove(QStringLiteral("language"));
        program_ = std::make_unique<CTestProgram>();
        a_ = program_->Path(QStringLiteral("a.dat"));
        b_ = program_->Path(QStringLiteral("b.dat"));
        QVERIFY(!SaveDataFile(a_.toStdString(), ImageWith(3)));
        QVERIFY(!SaveDataFile(b_.toStdString(), ImageWith(5, 43500000)));
        Frame()->resize(1200, 800);
        QApplication::setActiveWindow(Frame());
    }
    void cleanup() { program_.reset(); }

    // The service commands appear once, after the right password, and F11 alone asks nothing.
    // The password box takes eight characters and accepts only the password.
    void theServiceGateAddsItsCommands() {
        const QString edit = QStringLiteral("编辑");
        QVERIFY(!MenuTexts(Frame()->menuBar(), edit).contains(QStringLiteral("参数调节")));
        QVERIFY(!View()->InitialiseButton()->isVisibleTo(View()));
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        Grid()->setFocus();
        QTest::keyClick(Grid(), Qt::Key_F11);
        QVERIFY(program_->prompter->asked.isEmpty());
        program_->prompter->answers = {Answer::No, Answer::Yes, Answer::Yes};
        for (int attempt = 0; attempt < 3; ++attempt)
            QTest::keyClick(Grid(), Qt::Key_F11, Qt::ControlModifier);
        QCOMPARE(program_->prompter->asked.size(), 3);
        QVERIFY(View()->InitialiseButton()->isVisibleTo(View()));
        const QStringList texts = MenuTexts(Frame()->menuBar(), edit);
        QCOMPARE(texts.count(QStringLiteral("参数调节")), 1);
        QCOMPARE(texts.last(), QStringLiteral("DTMF 初始化"));

        ui::CPasswordDialog wrong, right;
        QTest::keyClicks(wrong.Edit(), QStringLiteral("mr274q123"));
        QCOMPARE(wrong.Edit()->text(), QStringLiteral("mr274q12"));
        QTest::keyClicks(right.Edit(), QStringLiteral("mr274q"));
        wrong.Confirm();
        right.Confirm();
        QCOMPARE(wrong.result(), int(QDialog::Rejected));
        QCOMPARE(right.result(), int(QDialog::Accepted));
    }

    // Accessibility tools hold on to the menus they found: saving, closing the last document and
    // starting a new one switch between the two menu bars and update the recent files in place.
    void theMenusStayTheSameObjects() {
        QMenuBar* bar = Frame()->menuBar();
        const QList<QObject*> before = MenuObjects(bar);
        const QString path = program_->Path(QStringLiteral("saved.dat"));
        QVERIFY(program_->app->Docs().SaveDocument(&program_->ActiveDoc(), path));
        QCOMPARE(program_->ActiveDoc().Title(), QStringLiteral("saved.dat"));
        QCOMPARE(Frame()->menuBar(), bar);
        QCOMPARE(MenuObjects(bar), before);
        QStringList recent;
        for (QAction* action : bar->actions()[0]->menu()->actions())
            if (action->isVisible() && action->text().startsWith(QLatin1Char('&')))
                recent << action->text();
        QVERIFY(!recent.isEmpty());
        QCOMPARE(recent.first(), QStringLiteral("&1 ") + QFileInfo(path).canonicalFilePath());

        program_->app->Docs().CloseDocument(&program_->ActiveDoc());
        QTRY_COMPARE(MenuTexts(bar), QString::fromUtf8("文件 视图 帮助").split(QLatin1Char(' ')));
        program_->app->Docs().NewDocument();
        QTRY_COMPARE(MenuObjects(bar), before);
    }

    // Closing hides a document; the navigation tree and the Edit menu show it again, and opening
    // its file again shows it as it is, not as the file now is.
    void closeHidesAndTheDocumentComesBack() {
        ui::CProgramDoc* doc = &program_->ActiveDoc();
        CommitRx(*doc, 1, QStringLiteral("145"));
        Frame()->FileClose();
        QVERIFY(!doc->Frame()->isVisible());
        QCOMPARE(program_->app->Docs().Documents().size(), std::size_t(1));
        QTreeWidget* tree = Frame()->NavigationBar()->Tree();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QVERIFY(doc->Frame()->isVisible());
        QTRY_COMPARE(tree->currentItem(), tree->topLevelItem(0));
        Frame()->FileClose();
        Frame()->Action(ui::cmd::kChannelList)->trigger();
        QVERIFY(doc->Frame()->isVisible());

        ui::CProgramDoc* a = Open(a_);
        Frame()->FileClose();
        QVERIFY(!SaveDataFile(a_.toStdString(), ImageWith(3, 15000000)));
        QCOMPARE(Open(a_), a);
        QVERIFY(a->Frame()->isVisible());
        QCOMPARE(CellText(*a, 1, 1), QStringLiteral("145.05000"));
    }

    void splashSwallowsTheClick() {
        QPixmap picture(40, 30);
        picture.fill(Qt::red);
        QPointer<ui::CSplash> splash(new ui::CSplash(picture, 10000));
        splash->show();
        QPushButton other;
        other.show();
        QSignalSpy clicked(&other, &QPushButton::clicked);
        QTest::mouseClick(&other, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QTRY_VERIFY(splash.isNull());
        QTest::mouseClick(&other, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void aboutShowsTheSettingsTexts() {
        CSettingsFile settings(program_->Path(QStringLiteral("Program.ini")).toStdString());
        settings.WriteText("About", "Version", "版本 1.0");
        ui::CAboutDialog dialog(settings);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("version"))->text(),
                 QStringLiteral("版本 1.0"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("copyright"))->text(), QString());
    }

    // Each document keeps and saves its own image. Quitting asks about every modified one, hidden
    // ones too, by name; Cancel keeps them.
    void documentsAreSavedOnTheirOwnAndQuittingAsksForEach() {
        ui::CProgramDoc* a = Open(a_);
        CommitRx(*a, 10, QStringLiteral("146"));
        QVERIFY(a->Frame()->isWindowModified());
        ui::CProgramDoc* b = Open(b_);
        QCOMPARE(CellText(*a, 10, 1), QStringLiteral("146.00000"));
        QVERIFY(!b->Frame()->isWindowModified());
        Activate(a);
        QVERIFY(Frame()->FileSave());
        QVERIFY(!a->Frame()->isWindowModified());
        QCOMPARE(ReceiveFrequency(Load(a_), 10), int64_t(14600000));
        const CMemoryImage savedA = Load(a_);
        for (ui::CProgramDoc* doc : {a, b}) CommitRx(*doc, 21, QStringLiteral("147"));
        a->Frame()->close();
        program_->prompter->answers = {Answer::No, Answer::Cancel};
        QVERIFY(!Frame()->close());
        QCOMPARE(program_->prompter->asked.size(), 2); // the untouched new document is not asked
        QVERIFY(program_->prompter->asked[0].contains(QStringLiteral("a.dat")));
        QVERIFY(program_->prompter->asked[1].contains(QStringLiteral("b.dat")));
        QVERIFY(a->IsModified() && b->IsModified());
        QCOMPARE(Load(a_), savedA);
        program_->prompter->answers = {Answer::Yes, Answer::No};
        QVERIFY(Frame()->close());
        QCOMPARE(ReceiveFrequency(Load(a_), 21), int64_t(14700000));
        QCOMPARE(Load(b_), ImageWith(5, 43500000));

        CTestProgram untitled;
        CommitRx(untitled.ActiveDoc(), 1, QStringLiteral("145"));
        QVERIFY(!untitled.app->Frame()->close());
        QVERIFY(untitled.prompter->asked[0].contains(QStringLiteral("无标题")));
        untitled.prompter->answers = {Answer::No};
        QVERIFY(untitled.app->Frame()->close());
    }

    // Every kind of step, undone, leaves what saving writes exactly as it was; redone, exactly as
    // it was after the step.
    void undoAndRedoRestoreExactly_data() {
        QTest::addColumn<int>("kind");
        const char* kinds[] = {"grid cell", "insert",        "delete",           "clear",
                               "sort",      "cut and paste", "optional features"};
        for (int i = 0; i < int(std::size(kinds)); ++i) QTest::newRow(kinds[i]) << i;
    }
    void undoAndRedoRestoreExactly() {
        QFETCH(int, kind);
        ui::CProgramDoc* doc = Open(b_);
        ui::CProgramView* view = doc->View();
        const CMemoryImage original = doc->Document().Parsed();
        SelectRows(doc, {2, 4});
        using ui::CProgramView;
        const std::function<ERowEditOutcome(CProgramView*)> edits[] = {
            [doc](auto*) {
                CommitRx(*doc, 5, QStringLiteral("438.0031"));
                return ERowEditOutcome::Done;
            },
            &CProgramView::InsertRow,
            &CProgramView::DeleteRows,
            &CProgramView::ClearRows,
            &CProgramView::SortRows,
            [](CProgramView* view) {
                view->CutRows();
                view->Grid()->setCurrentIndex(view->Model()->index(100, 0));
                return view->PasteRows();
            },
            [this](auto*) {
                QTimer::singleShot(0, this, [] {
                    auto* box = Find<QComboBox>(*QApplication::activeModalWidget(), 1171);
                    box->setCurrentIndex((box->currentIndex() + 1) % box->count());
                    QTest::keyClick(box, Qt::Key_Escape);
                });
                Frame()->Action(ui::cmd::kOptionalFeatures)->trigger();
                return ERowEditOutcome::Done;
            }};
        QCOMPARE(edits[kind](view), ERowEditOutcome::Done);
        const CMemoryImage edited = doc->Document().Parsed();
        QVERIFY(!(edited == original));
        QVERIFY(doc->Frame()->isWindowModified());
        const int steps = doc->UndoStack()->count();
        for (int i = 0; i < steps; ++i) Frame()->Action(ui::cmd::kUndo)->trigger();
        QCOMPARE(doc->Document().Parsed(), original);
        QVERIFY(!doc->Frame()->isWindowModified());
        QCOMPARE(CellText(*doc, 1, 1), QStringLiteral("435.10000"));
        for (int i = 0; i < steps; ++i) Frame()->Action(ui::cmd::kRedo)->trigger();
        QCOMPARE(doc->Document().Parsed(), edited);
        QVERIFY(Frame()->FileSave());
        QCOMPARE(Load(b_), edited);
    }

    // Channels copied from one document paste byte for byte into another; a spreadsheet's text
    // is corrected as if typed, in one step. A step is named by its cell; a refused command adds
    // none.
    void pasteBetweenDocumentsAndFromASpreadsheet() {
        ui::CProgramDoc* a = Open(a_);
        ui::CProgramDoc* b = Open(b_);
        Activate(a);
        SelectRows(a, {1, 2});
        Frame()->Action(ui::cmd::kCopy)->trigger();
        QVERIFY(
            QApplication::clipboard()->mimeData()->text().startsWith(QStringLiteral("A 001\t")));
        Activate(b);
        b->View()->Grid()->setCurrentIndex(b->View()->Model()->index(139, 0)); // B 012
        Frame()->Action(ui::cmd::kPaste)->trigger();
        const CMemoryImage from = a->Document().Parsed(), to = b->Document().Parsed();
        for (int i = 0; i < 2; ++i)
            for (int byte = 0; byte < map::kChannelRecordSize; ++byte)
                QCOMPARE(to[RecordOffset(140 + i) + byte], from[RecordOffset(1 + i) + byte]);

        QApplication::clipboard()->setText(QStringLiteral("145.0031\t\t67\n300\t\tD23\t\t低\n"));
        a->View()->Grid()->setCurrentIndex(a->View()->Model()->index(9, 0));
        Activate(a);
        Frame()->Action(ui::cmd::kPaste)->trigger();
        QCOMPARE(CellText(*a, 10, 3), QStringLiteral("D067N"));
        QCOMPARE(CellText(*a, 11, 5), QStringLiteral("低"));
        QCOMPARE(a->UndoStack()->count(), 1);
        CommitRx(*a, 5, QStringLiteral("146"));
        QCOMPARE(Frame()->Action(ui::cmd::kUndo)->text(), QStringLiteral("撤销 A 005 接收频率"));
        SelectRows(a, {257});
        Frame()->Action(ui::cmd::kClear)->trigger();
        QCOMPARE(program_->prompter->errors.size(), 1);
        QCOMPARE(a->UndoStack()->count(), 2);
    }

    void gridEditorsCommitOnLeaving() {
        TypeAndLeave(Click(5, 1), QStringLiteral("1a4b5-x.0101"));
        QCOMPARE(Cell(5, 1), QStringLiteral("145.01000"));
        // The tone list holds "233.6", "250.3" and "67.0": what is typed is not completed to them.
        const std::pair<const char*, const char*> tones[] = {
            {"d23i", "D023I"}, {"25", "D025N"}, {"67", "D067N"}, {"88.5", "88.5"}};
        for (const auto& [typed, stored] : tones) {
            auto* tone = qobject_cast<QComboBox*>(Click(5, 4));
            QVERIFY(tone && tone->isEditable());
            tone->lineEdit()->selectAll();
            QTest::keyClicks(tone->lineEdit(), QString::fromLatin1(typed));
            QTest::keyClick(tone->lineEdit(), Qt::Key_Return); // commits as leaving does
            QApplication::processEvents();
            QCOMPARE(Cell(5, 4), QString::fromLatin1(stored));
        }
        TypeAndLeave(Click(5, 9), QStringLiteral("Rpt-1.XYZ"));
        QCOMPARE(Cell(5, 9), QStringLiteral("Rpt-1.X"));
        // A click anywhere in an empty row edits its receive cell.
        QVERIFY(qobject_cast<QLineEdit*>(Click(9, 3)));
        QCOMPARE(Grid()->currentIndex().column(), 0);
        // Parsing, as saving does, commits an editor still open.
        QTest::keyClicks(Click(11, 1), QStringLiteral("147"));
        View()->ParseIntoImage();
        QCOMPARE(Cell(11, 1), QStringLiteral("147.00000"));
        QCOMPARE(program_->ActiveImage()[RecordOffset(11) + 3], uint8_t(0x14));
    }

    // Enter moves right, or down from an emptied frequency or the last column.
    void enterAndTheArrowsMoveOn() {
        Grid()->setFocus();
        const auto enter = [this](int channel, int column, const QString& typed) {
            Grid()->MoveTo(channel, column);
            QTest::keyClick(Grid(), Qt::Key_Return);
            QWidget* editor = View()->Editors()->OpenEditor();
            QVERIFY(editor);
            QTest::keyClicks(editor, typed);
            QTest::keyClick(editor, Qt::Key_Return);
        };
        enter(10, 1, QStringLiteral("146"));
        QTRY_COMPARE(Grid()->currentIndex(), Index(10, 2));
        QCOMPARE(Cell(10, 1), QStringLiteral("146.00000"));
        enter(20, 1, {});
        QTRY_COMPARE(Grid()->currentIndex(), Index(21, 1));
        enter(10, 9, QStringLiteral("N"));
        QTRY_COMPARE(Grid()->currentIndex(), Index(11, 1));
        // The arrows wrap at the ends of a row: from channel, column, a key, to channel, column.
        const std::tuple<int, int, Qt::Key, int, int> cases[] = {
            {5, 8, Qt::Key_Right, 5, 9},     {5, 9, Qt::Key_Right, 6, 1},
            {6, 1, Qt::Key_Left, 5, 9},      {1, 1, Qt::Key_Left, 1, 1},
            {258, 9, Qt::Key_Right, 258, 9},
        };
        for (const auto& [channel, column, key, toChannel, toColumn] : cases) {
            Grid()->MoveTo(channel, column);
            QTest::keyClick(Grid(), key);
            QCOMPARE(Grid()->currentIndex(), Index(toChannel, toColumn));
        }
    }

    // The command line, then the menu's remembered choice, then the locale decide the language.
    // The menu names each entry in its own language; choosing one remembers it and ticks only it.
    void theCommandLineThenTheMenuThenTheLocaleDecideTheLanguage() {
        const std::optional<ELanguage> none, en = ELanguage::English, zh = ELanguage::Chinese;
        const std::tuple<std::optional<ELanguage>, const char*, const char*, ELanguage> cases[] = {
            {none, "", "zh_CN", *zh},   {none, "", "de_DE", *en}, {none, "en", "zh_CN", *en},
            {none, "zh", "en_GB", *zh}, {en, "zh", "zh_CN", *en}, {zh, "en", "en_US", *zh},
            {none, "fr", "zh_CN", *zh}, // a damaged setting falls back to the locale
        };
        for (const auto& [commandLine, remembered, locale, expected] : cases)
            QVERIFY2(ui::ChooseLanguage(commandLine, QString::fromLatin1(remembered),
                                        QString::fromLatin1(locale)) == expected,
                     locale);

        QWidget parent;
        ui::CLanguageMenu languages(&parent);
        QList<QAction*> entries = languages.Menu()->actions();
        QCOMPARE(entries[0]->text(), QStringLiteral("中文"));
        QCOMPARE(entries[1]->text(), QStringLiteral("English"));
        std::vector<ELanguage> chosen;
        connect(&languages, &ui::CLanguageMenu::Chosen, this,
                [&](ELanguage language) { chosen.push_back(language); });
        entries[1]->trigger();
        QCOMPARE(ui::RememberedLanguage(), QStringLiteral("en"));
        QVERIFY(entries[1]->isChecked() && !entries[0]->isChecked());
        entries[0]->trigger();
        QCOMPARE(ui::RememberedLanguage(), QStringLiteral("zh"));
        QVERIFY(entries[0]->isChecked() && !entries[1]->isChecked());
        QCOMPARE(chosen, (std::vector{ELanguage::English, ELanguage::Chinese}));
    }
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
        Grid()->setCurrentIndex(Index(129, 1));
        int shown = 0;
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<ui::CChannelEditDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = dialog->Channel();
            Find(*dialog, 1142)->setText(QStringLiteral("435"));
            Find(*dialog, 1142)->setFocus();
            dialog->close();
        });
        Find<QPushButton>(*View(), 1133)->click();
        QCOMPARE(shown, 129);
        QCOMPARE(Cell(129, 1), QStringLiteral("435.00000"));
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
        QVERIFY(!editor->isVisible() && dialog.isVisible());
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
    // greeting takes seven single-byte characters; Enter closes and stores (Escape: the undo case).
    void optionalFeaturesHideFollowFilterAndStore() {
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
        QTest::keyClick(greeting, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(state.image[map::kSettingsTimeOut], 2);
    }
};

} // namespace tarsel::test

int main(int argc, char** argv) {
    const tarsel::test::CCommaLocale comma;
    if (!comma.Ok()) return 1;
    ::setenv("LC_ALL", tarsel::test::CCommaLocale::kName, 1);
    return tarsel::test::RunUiTest<tarsel::test::ShellTest>(argc, argv);
}
#include "shell_test.moc"
