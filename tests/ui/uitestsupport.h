// What the desktop tests share: the program's headers, a prompter that answers from a script, and a
// program started in a folder of its own.
#pragma once

#include "core/dtmf/dtmfstring.h"
#include "core/image/bcd.h"
#include "core/image/channelrecord.h"
#include "core/image/datafile.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/posixserialport.h"
#include "radiosim/virtualradio.h"
#include "ui/channelview/celleditors.h"
#include "ui/channelview/channelgrid.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/dtmf/codelistpage.h"
#include "ui/dtmf/dtmfeditor.h"
#include "ui/dtmf/remotepage.h"
#include "ui/dtmf/timingpage.h"
#include "ui/editors/batchchanneldialog.h"
#include "ui/editors/channeleditdialog.h"
#include "ui/editors/optionalfeaturesdialog.h"
#include "ui/fmradio/fmradiodialog.h"
#include "ui/interchange/csvimportdialog.h"
#include "ui/radiolink/batchwritedialog.h"
#include "ui/radiolink/modeldialog.h"
#include "ui/radiolink/portdialog.h"
#include "ui/radiolink/transferdialog.h"
#include "ui/service/calibrationgrid.h"
#include "ui/service/decoderdialog.h"
#include "ui/service/parameteradjustdialog.h"
#include "ui/service/radioinfodialog.h"
#include "ui/shell/aboutdialog.h"
#include "ui/shell/application.h"
#include "ui/shell/childframe.h"
#include "ui/shell/language.h"
#include "ui/shell/navigationbar.h"
#include "ui/shell/passworddialog.h"
#include "ui/shell/programdoc.h"
#include "ui/shell/qtapplication.h"
#include "ui/shell/splash.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/coretext.h"
#include "ui/widgets/stepbuttons.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

#include <chrono>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

namespace tarsel::test {

class CScriptedPrompter : public ui::CPrompter {
public:
    std::deque<EAnswer> answers; // given in order; Cancel when the script runs out
    QStringList asked;
    QStringList errors;

    EAnswer AskOkCancel(QWidget*, const QString& text) override { return Next(text); }
    EAnswer AskYesNoCancel(QWidget*, const QString& text) override { return Next(text); }
    void ShowError(QWidget*, const QString& text, const QString& detail) override {
        errors << text + QStringLiteral(" | ") + detail;
    }
    void ShowInformation(QWidget*, const QString& text) override { asked << text; }
    // The right password is an answer Yes.
    bool AskServicePassword(QWidget*) override {
        return Next(QStringLiteral("密码")) == EAnswer::Yes;
    }

private:
    EAnswer Next(const QString& text) {
        asked << text;
        if (answers.empty()) return EAnswer::Cancel;
        const EAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// What a tool window works on when it is tested alone: a document of its own (image and band
// limits by their old names) and the program-wide values.
struct CToolState : CProgramState {
    CDocument doc;
    CMemoryImage& image = doc.Image();
    CBandLimits& bandLimits = doc.Limits();
    operator CDocument&() { return doc; }
};

// A program whose folder (Default.dat, background.bmp, Program.ini) is a fresh temporary one.
struct CTestProgram {
    QTemporaryDir folder;
    CScriptedPrompter* prompter = nullptr;
    std::unique_ptr<ui::CTarselApp> app;

    explicit CTestProgram(const QStringList& files = {}) {
        auto owned = std::make_unique<CScriptedPrompter>();
        prompter = owned.get();
        const std::filesystem::path dir = folder.path().toStdString();
        app = std::make_unique<ui::CTarselApp>(dir, dir / "Program.ini", std::move(owned));
        app->Start(files, false);
    }
    QString Path(const QString& name) const { return folder.filePath(name); }
    ui::CProgramDoc& ActiveDoc() const { return *app->Docs().ActiveDocument(); }
    CMemoryImage& ActiveImage() const { return ActiveDoc().Document().Image(); }
};

// A cell of a document's channel list, channels and columns counted from 1.
inline QModelIndex CellIndex(ui::CProgramDoc& doc, int channel, int column) {
    return doc.View()->Model()->index(channel - 1, column - 1);
}
inline QString CellText(ui::CProgramDoc& doc, int channel, int column) {
    return CellIndex(doc, channel, column).data().toString();
}
// As typing rx into a channel's receive cell and leaving it does.
inline void CommitRx(ui::CProgramDoc& doc, int channel, const QString& rx) {
    doc.View()->Model()->CommitEdit(CellIndex(doc, channel, 1), rx);
}
// Clicks a cell of the list; returns the editor that opened, if one did.
inline QWidget* ClickGridCell(ui::CProgramDoc& doc, int channel, int column) {
    ui::CChannelGrid* grid = doc.View()->Grid();
    grid->scrollTo(CellIndex(doc, channel, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(CellIndex(doc, channel, column)).center());
    return doc.View()->Editors()->OpenEditor();
}

// A virtual radio on a pseudo-terminal of its own; fill sets its memory (all 0xFF before).
inline std::unique_ptr<radiosim::CVirtualRadio>
StartVirtualRadio(radiosim::CConfig config = {},
                  const std::function<void(std::vector<uint8_t>&)>& fill = {}) {
    auto radio = std::make_unique<radiosim::CVirtualRadio>(std::move(config));
    radio->Start();
    std::vector<uint8_t> memory(CMemoryImage::kSize, 0xFF);
    if (fill) fill(memory);
    radio->SetMemory(memory);
    return radio;
}

// What a service window's test starts from: the program-wide values, a scripted prompter, a
// settings file of its own and, when started, a virtual radio that the state's port leads to.
struct CServiceBench {
    QTemporaryDir folder;
    CToolState state;
    CScriptedPrompter prompter;
    std::unique_ptr<radiosim::CVirtualRadio> radio;

    // A complete read keeps a backup: into the bench's folder, not the user's.
    CServiceBench() { qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toUtf8()); }
    std::vector<CBackupEntry> Backups() const { return CBackupStore().List(); }

    std::filesystem::path Settings() const {
        return folder.filePath(QStringLiteral("Program.ini")).toStdString();
    }
    radiosim::CVirtualRadio&
    StartRadio(radiosim::CConfig config = {},
               const std::function<void(std::vector<uint8_t>&)>& fill = {}) {
        radio = StartVirtualRadio(std::move(config), fill);
        state.portName = radio->DevicePath();
        return *radio;
    }
};

// Shows a window and makes it the active one, as a user's click would.
inline bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// The control of a window by its id (its object name).
template <class T = QLineEdit> T* Find(const QObject& window, int id) {
    T* control = window.findChild<T*>(QString::number(id));
    if (!control) qFatal("no control %d", id);
    return control;
}

// Types text over what edit holds, as a user does.
inline void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

inline void ClickCell(QTableWidget* grid, int row, int column) {
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// What a user would see cut off in window as it is laid out now: a caption, button, group box or
// column title narrower than its text, or a wrapped label without the room its lines need.
inline QStringList ClippedTexts(QWidget& window) {
    QStringList clipped;
    const auto check = [&](QWidget* widget, const QString& text, int needed, int has) {
        if (!text.isEmpty() && widget->isVisibleTo(&window) && has < needed)
            clipped << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                           .arg(widget->objectName(), text)
                           .arg(needed)
                           .arg(has);
    };
    const auto fits = [&](QWidget* widget, const QString& text) {
        // A widget that asks to be squeezed (an elided title bar caption) elides on purpose.
        if (widget->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored)
            check(widget, text, widget->minimumSizeHint().width(), widget->width());
    };
    for (auto* label : window.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (!label->wordWrap()) {
            fits(label, text);
            continue;
        }
        // Its longest word must fit a line, and its lines the label's height.
        int widest = 0;
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(word));
        check(label, text, widest, label->contentsRect().width());
        check(label, text, label->heightForWidth(label->width()), label->height());
    }
    for (auto* button : window.findChildren<QAbstractButton*>()) fits(button, button->text());
    for (auto* box : window.findChildren<QGroupBox*>()) fits(box, box->title());
    for (auto* table : window.findChildren<QTableView*>()) {
        QHeaderView* header = table->horizontalHeader();
        for (int s = 0; s < header->count(); ++s) {
            const QString title = table->model()->headerData(s, Qt::Horizontal).toString();
            if (!header->isSectionHidden(s))
                check(header, title, header->fontMetrics().horizontalAdvance(title),
                      header->sectionSize(s));
        }
    }
    return clipped;
}

// Runs a Qt Test class under the program's own application object, as QTEST_MAIN would.
template <class TTest> int RunUiTest(int argc, char** argv) {
    ui::CQtApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    TTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace tarsel::test

#define TARSEL_UI_TEST_MAIN(TTest)                                                                 \
    int main(int argc, char** argv) { return tarsel::test::RunUiTest<TTest>(argc, argv); }
