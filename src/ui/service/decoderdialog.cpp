#include "ui/service/decoderdialog.h"

#include "ui/widgets/captions.h"
#include "ui/widgets/ruledit.h"
#include "ui/widgets/stepbuttons.h"
#include "ui/widgets/coretext.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

std::optional<char> HexKey(char c) { return IsHexDigit(c) ? std::optional<char>(c) : std::nullopt; }

} // namespace

CDtmfDecoderDialog::CDtmfDecoderDialog(CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                                       CPrompter& prompter, QWidget* parent)
    : CRegionDialog(doc, state, map::kDtmfDecoderRange, std::move(settingsPath), prompter, parent) {
    setObjectName(QStringLiteral("222"));
    setWindowTitle(tr("DTMF 解码初始化"));
    auto* grid = new QGridLayout;
    for (int k = 0; k < kDecoderEntryCount; ++k) {
        const CDecoderEntry& entry = kDecoderEntries[k];
        QLineEdit* edit = edits_[k] =
            MakeRuledEdit(QString::number(entry.editId), kDecoderMaxChars, HexKey, this);
        edit->installEventFilter(this);
        auto* spin = new CStepButtons(edit, StepDecoderValue, QString::number(entry.spinId), this);
        AddCaptionedRow(grid, CoreText(entry.caption), edit, spin);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow());
    Show(LoadDecoderFields(doc_.Image()));
}

CDecoderFields CDtmfDecoderDialog::Fields() const {
    CDecoderFields fields;
    for (int k = 0; k < kDecoderEntryCount; ++k) fields[k] = edits_[k]->text().toStdString();
    return fields;
}

void CDtmfDecoderDialog::Show(const CDecoderFields& fields) {
    for (int k = 0; k < kDecoderEntryCount; ++k)
        edits_[k]->setText(QString::fromStdString(fields[k]));
}

void CDtmfDecoderDialog::StoreFields() {
    CDecoderFields fields = Fields();
    StoreDecoderFields(fields, doc_.Image());
    Show(fields);
}

void CDtmfDecoderDialog::ShowRead() { Show(LoadDecoderFields(doc_.Image())); }

bool CDtmfDecoderDialog::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (QLineEdit* edit : edits_)
            if (object == edit)
                edit->setText(
                    QString::fromStdString(NormaliseDecoderValue(edit->text().toStdString())));
    }
    return QDialog::eventFilter(object, event);
}

void OpenDtmfDecoderInit(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent) {
    CDtmfDecoderDialog dialog(doc, state, settingsPath, prompter, parent);
    dialog.exec();
}

} // namespace tarsel::ui
