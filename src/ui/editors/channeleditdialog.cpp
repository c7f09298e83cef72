#include "ui/editors/channeleditdialog.h"

#include "core/image/tone.h"
#include "ui/editors/editorwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace tarsel::ui {

using namespace editors;

namespace {

const QString kFrequencyCharacters = QStringLiteral("0123456789.");

QComboBox* MakeToneBox(int id, const QString& caption, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    combo->setAccessibleName(caption);
    combo->setEditable(true);
    // What is typed stays as typed until the tone check: no completion, nothing added to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    for (const std::string& tone : ToneList()) combo->addItem(QString::fromStdString(tone));
    return combo;
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

CChannelEditDialog::CChannelEditDialog(CDocument& doc, int channel, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(tr("信道编辑"));

    auto* top = new QHBoxLayout;
    label_ = MakeEdit(1140, tr("信道号"), this);
    InstallTypingFilter(label_, QStringLiteral("ABab0123456789"), kChannelLabelLimit);
    spin_ = new CSpinArrows(1141, tr("信道号"), this);
    name_ = MakeEdit(1147, tr("信道名字"), this);
    // The radio shows single-byte characters only; a loaded name is never longer than this.
    InstallTypingFilter(name_, {}, kChannelNameLimit);
    top->addWidget(Caption(tr("信道号"), label_));
    top->addWidget(label_);
    top->addWidget(spin_);
    top->addSpacing(24);
    top->addWidget(Caption(tr("信道名字"), name_));
    top->addWidget(name_, 1);

    auto* frequencies = new QGroupBox(this);
    auto* frequencyGrid = new QGridLayout(frequencies);
    rx_ = MakeEdit(1142, tr("接收频率"), frequencies);
    tx_ = MakeEdit(1143, tr("发射频率"), frequencies);
    InstallTypingFilter(rx_, kFrequencyCharacters, 0);
    InstallTypingFilter(tx_, kFrequencyCharacters, 0);
    FitDigits(rx_, 10);
    FitDigits(tx_, 10);
    FitDigits(label_, 6);
    label_->setMaximumWidth(label_->minimumWidth());
    rxTone_ = MakeToneBox(1145, tr("哑音解码"), frequencies);
    txTone_ = MakeToneBox(1144, tr("哑音编码"), frequencies);
    AddRow(frequencyGrid, 0, 0, Caption(tr("接收频率"), rx_), rx_);
    AddRow(frequencyGrid, 1, 0, Caption(tr("发射频率"), tx_), tx_);
    AddRow(frequencyGrid, 0, 2, Caption(tr("哑音解码"), rxTone_), rxTone_);
    AddRow(frequencyGrid, 1, 2, Caption(tr("哑音编码"), txTone_), txTone_);
    frequencyGrid->setColumnStretch(1, 1);
    frequencyGrid->setColumnStretch(3, 1);

    auto* optionBox = new QGroupBox(this);
    AddChannelOptionLists(optionBox, options_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(frequencies);
    layout->addWidget(optionBox);

    for (QObject* field :
         {static_cast<QObject*>(label_), static_cast<QObject*>(rx_), static_cast<QObject*>(tx_),
          static_cast<QObject*>(rxTone_), static_cast<QObject*>(rxTone_->lineEdit()),
          static_cast<QObject*>(txTone_), static_cast<QObject*>(txTone_->lineEdit())})
        field->installEventFilter(this);
    connect(spin_, &CSpinArrows::Stepped, this, &CChannelEditDialog::Step);

    form_ = LoadChannel(doc_.Image(), std::clamp(channel, 1, map::kChannelCount));
    Show();
}

void CChannelEditDialog::Collect() {
    form_.label = label_->text().toStdString();
    form_.rx = rx_->text().toStdString();
    form_.tx = tx_->text().toStdString();
    form_.rxTone = rxTone_->currentText().toStdString();
    form_.txTone = txTone_->currentText().toStdString();
    form_.name = name_->text().toLatin1().toStdString();
    for (std::size_t i = 0; i < options_.size(); ++i)
        form_.options[i] = options_[i]->currentIndex();
}

void CChannelEditDialog::Show() {
    label_->setText(QString::fromStdString(form_.label));
    rx_->setText(QString::fromStdString(form_.rx));
    tx_->setText(QString::fromStdString(form_.tx));
    for (auto [box, text] :
         {std::pair{rxTone_, &form_.rxTone}, std::pair{txTone_, &form_.txTone}}) {
        const QString shown = QString::fromStdString(*text);
        box->setCurrentIndex(box->findText(shown));
        box->setEditText(shown);
    }
    name_->setText(QString::fromLatin1(form_.name));
    for (std::size_t i = 0; i < options_.size(); ++i)
        options_[i]->setCurrentIndex(form_.options[i]);
    for (QWidget* field : {static_cast<QWidget*>(tx_), static_cast<QWidget*>(name_),
                           static_cast<QWidget*>(rxTone_), static_cast<QWidget*>(txTone_)})
        field->setEnabled(form_.enabled);
    for (QComboBox* option : options_) option->setEnabled(form_.enabled);
}

void CChannelEditDialog::Check(QObject* field) {
    Collect();
    if (field == label_) {
        MoveToTypedChannel(form_, doc_.Image());
    } else if (field == rx_) {
        CheckReceive(form_, doc_.Limits());
    } else if (field == tx_) {
        CheckTransmit(form_, doc_.Limits());
    } else if (field == rxTone_ || field == rxTone_->lineEdit()) {
        CheckTone(form_.rxTone, form_);
    } else if (field == txTone_ || field == txTone_->lineEdit()) {
        CheckTone(form_.txTone, form_);
    } else {
        return;
    }
    Show();
}

void CChannelEditDialog::Step(int step) {
    if (closed_) return;
    Collect();
    StepChannel(form_, doc_.Image(), step);
    Show();
}

bool CChannelEditDialog::eventFilter(QObject* object, QEvent* event) {
    if (closed_) return QDialog::eventFilter(object, event);
    if (event->type() == QEvent::FocusIn && object == tx_)
        form_.savedTx = tx_->text().toStdString();
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        Check(object);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (object == rx_ && IsEnter(key)) {
            Check(rx_);
            return true;
        }
        if (object == rx_ && key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (object == label_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            Step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(object, event);
}

void CChannelEditDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do nothing here; Escape in the receive field closes (see eventFilter).
    if (IsEnter(event) || event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void CChannelEditDialog::done(int result) {
    if (!closed_) {
        // The field being edited is checked as if it were left, so a frequency typed just before
        // closing is corrected and kept rather than lost or stored unchecked.
        if (QWidget* focus = focusWidget(); focus && focus != label_) Check(focus);
        closed_ = true;
        Collect();
        StoreChannel(form_, doc_.Image());
    }
    QDialog::done(result);
}

} // namespace tarsel::ui
