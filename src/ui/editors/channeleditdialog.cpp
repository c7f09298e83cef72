#include "ui/editors/channeleditdialog.h"

#include "ui/editors/channeloptionlists.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/ruledit.h"
#include "ui/widgets/stepbuttons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace tarsel::ui {

namespace {

const QString kFrequencyCharacters = QStringLiteral("0123456789.");

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

CChannelEditDialog::CChannelEditDialog(CDocument& doc, int channel, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(tr("信道编辑"));

    auto* top = new QHBoxLayout;
    label_ = MakeRuledEdit(QStringLiteral("1140"), kChannelLabelLimit,
                           KeysAmong(QStringLiteral("ABab0123456789")), this);
    spin_ = new CStepButtons(QStringLiteral("1141"), this);
    spin_->setAccessibleName(tr("信道号"));
    // The radio shows single-byte characters only; a loaded name is never longer than this.
    name_ = MakeRuledEdit(QStringLiteral("1147"), kChannelNameLimit, {}, this);
    top->addWidget(Caption(tr("信道号"), label_));
    top->addWidget(label_);
    top->addWidget(spin_);
    top->addSpacing(24);
    top->addWidget(Caption(tr("信道名字"), name_));
    top->addWidget(name_, 1);

    auto* frequencies = new QGroupBox(this);
    auto* frequencyGrid = new QGridLayout(frequencies);
    rx_ = MakeRuledEdit(QStringLiteral("1142"), 0, KeysAmong(kFrequencyCharacters), frequencies);
    tx_ = MakeRuledEdit(QStringLiteral("1143"), 0, KeysAmong(kFrequencyCharacters), frequencies);
    FitDigits(rx_, 10);
    FitDigits(tx_, 10);
    FitDigits(label_, 6);
    label_->setMaximumWidth(label_->minimumWidth());
    rxTone_ = MakeToneBox(QStringLiteral("1145"), true, frequencies);
    txTone_ = MakeToneBox(QStringLiteral("1144"), true, frequencies);
    AddCaptionedRow(frequencyGrid, tr("接收频率"), rx_, nullptr, {0, 0});
    AddCaptionedRow(frequencyGrid, tr("发射频率"), tx_, nullptr, {1, 0});
    AddCaptionedRow(frequencyGrid, tr("哑音解码"), rxTone_, nullptr, {0, 2});
    AddCaptionedRow(frequencyGrid, tr("哑音编码"), txTone_, nullptr, {1, 2});
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
    connect(spin_, &CStepButtons::Stepped, this, &CChannelEditDialog::Step);

    form_ = LoadChannel(doc_.Image(), std::clamp(channel, 1, map::kChannelCount));
    Show();
}

void CChannelEditDialog::Collect() {
    form_.label = label_->text().toStdString();
    form_.rx = rx_->text().toStdString();
    form_.tx = tx_->text().toStdString();
    form_.rxTone = ToneBoxText(rxTone_).toStdString();
    form_.txTone = ToneBoxText(txTone_).toStdString();
    form_.name = name_->text().toLatin1().toStdString();
    for (std::size_t i = 0; i < options_.size(); ++i)
        form_.options[i] = options_[i]->currentIndex();
}

void CChannelEditDialog::Show() {
    label_->setText(QString::fromStdString(form_.label));
    rx_->setText(QString::fromStdString(form_.rx));
    tx_->setText(QString::fromStdString(form_.tx));
    ShowToneText(rxTone_, QString::fromStdString(form_.rxTone));
    ShowToneText(txTone_, QString::fromStdString(form_.txTone));
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
