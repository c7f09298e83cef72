#include "ui/service/decoderdialog.h"

#include "core/radiolink/posixserialport.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/settingsfile.h"
#include "ui/dtmf/formwidgets.h"
#include "ui/service/servicewidgets.h"
#include "ui/shell/prompter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

std::optional<char> HexKey(char c) { return IsHexDigit(c) ? std::optional<char>(c) : std::nullopt; }

} // namespace

CDtmfDecoderDialog::CDtmfDecoderDialog(CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                                       CPrompter& prompter, QWidget* parent)
    : QDialog(parent), doc_(doc), state_(state), settingsPath_(std::move(settingsPath)), prompter_(prompter),
      read_(new QPushButton(tr("读数据"), this)), write_(new QPushButton(tr("写数据"), this)) {
    setObjectName(QStringLiteral("222"));
    setWindowTitle(tr("DTMF 解码初始化"));
    auto* grid = new QGridLayout;
    for (int k = 0; k < kDecoderEntryCount; ++k) {
        const CDecoderEntry& entry = kDecoderEntries[k];
        QLineEdit* edit = edits_[k] =
            MakeRuledEdit(QString::number(entry.editId), kDecoderMaxChars, HexKey, this);
        edit->installEventFilter(this);
        auto* spin =
            new CStepButtons(edit, StepDecoderValue, QString::number(entry.spinId), this);
        AddCaptionedRow(grid, tr(entry.caption), edit, spin);
    }
    read_->setObjectName(QStringLiteral("1207"));
    write_->setObjectName(QStringLiteral("1208"));
    for (QPushButton* button : {read_, write_}) {
        button->setAutoDefault(false);
        button->setAccessibleName(button->text());
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(read_);
    buttons->addWidget(write_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(read_, &QPushButton::clicked, this, &CDtmfDecoderDialog::ReadFromRadio);
    connect(write_, &QPushButton::clicked, this, &CDtmfDecoderDialog::WriteToRadio);
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

void CDtmfDecoderDialog::Store() {
    CDecoderFields fields = Fields();
    StoreDecoderFields(fields, doc_.Image());
    Show(fields);
}

void CDtmfDecoderDialog::ReadFromRadio() {
    CPosixSerialPort port{CSettingsFile(settingsPath_)};
    const bool done = RunBlockingExchange(this, prompter_, [&] {
        return ReadRegion(port, state_.portName, map::kDtmfDecoderRange, doc_.Image());
    });
    if (!done) return;
    prompter_.ShowInformation(this, tr("读数据成功"));
    Show(LoadDecoderFields(doc_.Image()));
}

void CDtmfDecoderDialog::WriteToRadio() {
    Store();
    CPosixSerialPort port{CSettingsFile(settingsPath_)};
    if (RunBlockingExchange(this, prompter_, [&] {
            return WriteRegion(port, state_.portName, map::kDtmfDecoderRange, doc_.Image());
        }))
        prompter_.ShowInformation(this, tr("写数据成功"));
}

bool CDtmfDecoderDialog::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (QLineEdit* edit : edits_)
            if (object == edit)
                edit->setText(
                    QString::fromStdString(NormaliseDecoderValue(edit->text().toStdString())));
    }
    return QDialog::eventFilter(object, event);
}

void CDtmfDecoderDialog::keyPressEvent(QKeyEvent* event) {
    // No default button: Enter closes the window as Escape does, and both store.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDtmfDecoderDialog::done(int result) {
    if (!closing_) {
        closing_ = true;
        Store();
    }
    QDialog::done(result);
}

void OpenDtmfDecoderInit(CDocument& doc, CProgramState& state, const std::filesystem::path& settingsPath,
                         CPrompter& prompter, QWidget* parent) {
    CDtmfDecoderDialog dialog(doc, state, settingsPath, prompter, parent);
    dialog.exec();
}

} // namespace tarsel::ui
