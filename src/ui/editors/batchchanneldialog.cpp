#include "ui/editors/batchchanneldialog.h"

#include "ui/editors/channeloptionlists.h"
#include "ui/widgets/captions.h"
#include "ui/widgets/choicelist.h"
#include "ui/widgets/ruledit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <chrono>
#include <random>

namespace tarsel::ui {

namespace {

const QString kDigits = QStringLiteral("0123456789");
const QString kDecimal = QStringLiteral("0123456789.");

QCheckBox* Check(int id, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::number(id));
    box->setAccessibleName(text);
    return box;
}

void SetChecked(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

void EnableGroup(QButtonGroup* group, bool enabled) {
    for (QAbstractButton* button : group->buttons()) button->setEnabled(enabled);
}

std::string Std(const QLineEdit* edit) { return edit->text().toStdString(); }

} // namespace

QRadioButton* CBatchChannelDialog::Radio(int id, const QString& text, QButtonGroup* group,
                                         QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::number(id));
    radio->setAccessibleName(text);
    group->addButton(radio, static_cast<int>(group->buttons().size()));
    return radio;
}

QLineEdit* CBatchChannelDialog::Edit(int id, const QString& caption, const QString& allowed,
                                     int limit, QWidget* parent) {
    QLineEdit* edit = MakeRuledEdit(QString::number(id), limit, KeysAmong(allowed), parent);
    edit->setAccessibleName(caption);
    edit->installEventFilter(this);
    FitDigits(edit, limit + 1);
    return edit;
}

CBatchChannelDialog::CBatchChannelDialog(CDocument& doc, std::function<void()> refill,
                                         QWidget* parent)
    : QDialog(parent), doc_(doc), refill_(std::move(refill)) {
    setWindowTitle(tr("信道编辑"));
    auto* layout = new QVBoxLayout(this);

    // The range.
    auto* rangeRow = new QHBoxLayout;
    range_ = new QButtonGroup(this);
    rangeRow->addWidget(new QLabel(tr("范围:"), this));
    rangeRow->addWidget(Radio(1229, tr("全部"), range_, this));
    rangeRow->addWidget(Radio(1238, tr("A段"), range_, this));
    rangeRow->addWidget(Radio(1239, tr("B段"), range_, this));
    QRadioButton* fromRadio = Radio(1228, tr("从信道"), range_, this);
    rangeRow->addWidget(fromRadio);
    from_ = Edit(1230, tr("从信道"), kDigits, kBatchChannelLimit, this);
    to_ = Edit(1141, tr("到信道"), kDigits, kBatchChannelLimit, this);
    from_->setMaximumWidth(from_->minimumWidth());
    to_->setMaximumWidth(to_->minimumWidth());
    rangeRow->addWidget(from_);
    rangeRow->addWidget(Caption(tr("到信道"), to_));
    rangeRow->addWidget(to_);
    rangeRow->addStretch(1);
    layout->addLayout(rangeRow);

    // Receive and transmit frequencies side by side.
    auto* frequencies = new QHBoxLayout;
    auto* rxBox = new QGroupBox(tr("接收频率:"), this);
    auto* rxGrid = new QGridLayout(rxBox);
    rxStart_ = Edit(1235, tr("起始频率(MHz)"), kDecimal, kBatchStartLimit, rxBox);
    rxStep_ = Edit(1156, tr("接收步进 (kHz)"), kDecimal, kBatchStepLimit, rxBox);
    rxDirection_ = new QButtonGroup(this);
    AddCaptionedRow(rxGrid, tr("起始频率(MHz)"), rxStart_, nullptr, {0, 0});
    AddCaptionedRow(rxGrid, tr("接收步进 (kHz)"), rxStep_, nullptr, {1, 0});
    auto* rxDirections = new QHBoxLayout;
    rxDirections->addWidget(Radio(1231, tr("递增"), rxDirection_, rxBox));
    rxDirections->addWidget(Radio(1232, tr("递减"), rxDirection_, rxBox));
    rxGrid->addLayout(rxDirections, 2, 1);
    rxGrid->setRowStretch(3, 1);
    frequencies->addWidget(rxBox);

    auto* txBox = new QGroupBox(tr("发射频率:"), this);
    auto* txGrid = new QGridLayout(txBox);
    transmit_ = new QButtonGroup(this);
    offsetSign_ = new QButtonGroup(this);
    txDirection_ = new QButtonGroup(this);
    txGrid->addWidget(Radio(1214, tr("默认"), transmit_, txBox), 0, 0);
    QRadioButton* offsetRadio = Radio(1215, tr("偏移频率(MHz)"), transmit_, txBox);
    offset_ = Edit(1234, tr("偏移频率(MHz)"), kDecimal, kBatchOffsetLimit, txBox);
    txGrid->addWidget(offsetRadio, 1, 0);
    txGrid->addWidget(offset_, 1, 1);
    auto* signs = new QHBoxLayout;
    signs->addWidget(Radio(1217, tr("加"), offsetSign_, txBox));
    signs->addWidget(Radio(1218, tr("减"), offsetSign_, txBox));
    txGrid->addLayout(signs, 1, 2);
    QRadioButton* startRadio = Radio(1216, tr("起始频率(MHz)"), transmit_, txBox);
    txStart_ = Edit(1157, tr("起始频率(MHz)"), kDecimal, kBatchStartLimit, txBox);
    txGrid->addWidget(startRadio, 2, 0);
    txGrid->addWidget(txStart_, 2, 1);
    txStep_ = Edit(1158, tr("发射步进(KHz)"), kDecimal, kBatchStepLimit, txBox);
    AddCaptionedRow(txGrid, tr("发射步进(KHz)"), txStep_, nullptr, {3, 0});
    auto* txDirections = new QHBoxLayout;
    txDirections->addWidget(Radio(1219, tr("递增"), txDirection_, txBox));
    txDirections->addWidget(Radio(1220, tr("递减"), txDirection_, txBox));
    txGrid->addLayout(txDirections, 3, 2);
    frequencies->addWidget(txBox, 1);
    layout->addLayout(frequencies);

    // Decode and encode tones side by side.
    auto* tones = new QHBoxLayout;
    auto* rxToneBox = new QGroupBox(tr("哑音解码:"), this);
    auto* rxToneGrid = new QGridLayout(rxToneBox);
    rxTone_ = MakeToneBox(QStringLiteral("1145"), false, rxToneBox);
    rxToneRandom_ = Check(1233, tr("随机"), rxToneBox);
    rxToneInterval_ = Edit(1159, tr("间隔"), kDigits, kBatchIntervalLimit, rxToneBox);
    rxToneDirection_ = new QButtonGroup(this);
    AddCaptionedRow(rxToneGrid, tr("起始信令"), rxTone_, nullptr, {0, 0});
    rxToneGrid->addWidget(rxToneRandom_, 0, 2);
    AddCaptionedRow(rxToneGrid, tr("间隔"), rxToneInterval_, nullptr, {1, 0});
    auto* rxToneDirections = new QHBoxLayout;
    rxToneDirections->addWidget(Radio(1222, tr("递增"), rxToneDirection_, rxToneBox));
    rxToneDirections->addWidget(Radio(1223, tr("递减"), rxToneDirection_, rxToneBox));
    rxToneGrid->addLayout(rxToneDirections, 2, 1, 1, 2);
    rxToneGrid->setRowStretch(3, 1);
    tones->addWidget(rxToneBox);

    auto* txToneBox = new QGroupBox(tr("哑音编码:"), this);
    auto* txToneGrid = new QGridLayout(txToneBox);
    txToneMode_ = new QButtonGroup(this);
    txToneGrid->addWidget(Radio(1224, tr("默认"), txToneMode_, txToneBox), 0, 0);
    QRadioButton* ownTone = Radio(1225, tr("起始信令"), txToneMode_, txToneBox);
    txTone_ = MakeToneBox(QStringLiteral("1144"), false, txToneBox);
    txTone_->setAccessibleName(tr("起始信令"));
    txToneRandom_ = Check(1221, tr("随机"), txToneBox);
    txToneGrid->addWidget(ownTone, 1, 0);
    txToneGrid->addWidget(txTone_, 1, 1);
    txToneGrid->addWidget(txToneRandom_, 1, 2);
    txToneInterval_ = Edit(1160, tr("间隔"), kDigits, kBatchIntervalLimit, txToneBox);
    txToneDirection_ = new QButtonGroup(this);
    AddCaptionedRow(txToneGrid, tr("间隔"), txToneInterval_, nullptr, {2, 0});
    auto* txToneDirections = new QHBoxLayout;
    txToneDirections->addWidget(Radio(1226, tr("递增"), txToneDirection_, txToneBox));
    txToneDirections->addWidget(Radio(1227, tr("递减"), txToneDirection_, txToneBox));
    txToneGrid->addLayout(txToneDirections, 3, 1, 1, 2);
    tones->addWidget(txToneBox);
    layout->addLayout(tones);

    // One value for every channel's options, and the name.
    auto* optionBox = new QGroupBox(this);
    QGridLayout* optionGrid = AddChannelOptionLists(optionBox, options_);
    optionGrid->setColumnStretch(6, 1);
    auto* nameRow = new QHBoxLayout;
    name_ = Edit(1147, tr("信道名字"), {}, kBatchNameLimit, optionBox);
    numberName_ = Check(1213, tr("按信道号"), optionBox);
    nameRow->addWidget(Caption(tr("信道名字"), name_));
    nameRow->addWidget(name_);
    nameRow->addWidget(numberName_);
    nameRow->addStretch(1);
    optionGrid->addLayout(nameRow, 3, 0, 1, 7);
    layout->addWidget(optionBox);

    auto* buttons = new QHBoxLayout;
    apply_ = new QPushButton(tr("应用"), this);
    apply_->setObjectName(QStringLiteral("1236"));
    cancel_ = new QPushButton(tr("取消"), this);
    cancel_->setObjectName(QStringLiteral("1237"));
    for (QPushButton* button : {apply_, cancel_}) {
        button->setAccessibleName(button->text());
        button->setAutoDefault(false); // Enter off the buttons ends the window instead
        buttons->addWidget(button);
    }
    buttons->insertStretch(0, 1);
    layout->addLayout(buttons);

    for (QButtonGroup* group : {range_, transmit_, txToneMode_})
        connect(group, &QButtonGroup::idClicked, this, &CBatchChannelDialog::RunEnableRules);
    for (QCheckBox* box : {rxToneRandom_, txToneRandom_})
        connect(box, &QCheckBox::clicked, this, &CBatchChannelDialog::RunEnableRules);
    for (QLineEdit* step : {rxStep_, txStep_})
        connect(step, &QLineEdit::textEdited, this, [step](const QString& text) {
            const QString limited =
                QString::fromStdString(LimitStepWhileTyping(text.toStdString()));
            if (limited != text) step->setText(limited);
        });
    for (QLineEdit* interval : {rxToneInterval_, txToneInterval_})
        connect(interval, &QLineEdit::textEdited, this, [interval](const QString& text) {
            const QString limited =
                QString::fromStdString(LimitIntervalWhileTyping(text.toStdString()));
            if (limited != text) interval->setText(limited);
        });
    connect(apply_, &QPushButton::clicked, this, &CBatchChannelDialog::Apply);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    Show(InitialBatchForm(doc_.Limits()));
}

CBatchForm CBatchChannelDialog::Form() const {
    CBatchForm form;
    form.range = static_cast<EBatchRange>(range_->checkedId());
    form.from = Std(from_);
    form.to = Std(to_);
    form.rxStart = Std(rxStart_);
    form.rxStep = Std(rxStep_);
    form.rxUp = rxDirection_->checkedId() == 0;
    form.transmit = static_cast<EBatchTransmit>(transmit_->checkedId());
    form.offset = Std(offset_);
    form.offsetAdd = offsetSign_->checkedId() == 0;
    form.txStart = Std(txStart_);
    form.txStep = Std(txStep_);
    form.txUp = txDirection_->checkedId() == 0;
    form.rxToneIndex = rxTone_->currentIndex();
    form.rxToneRandom = rxToneRandom_->isChecked();
    form.rxToneInterval = Std(rxToneInterval_);
    form.rxToneUp = rxToneDirection_->checkedId() == 0;
    form.txToneOwn = txToneMode_->checkedId() == 1;
    form.txToneIndex = txTone_->currentIndex();
    form.txToneRandom = txToneRandom_->isChecked();
    form.txToneInterval = Std(txToneInterval_);
    form.txToneUp = txToneDirection_->checkedId() == 0;
    for (std::size_t i = 0; i < options_.size(); ++i) form.options[i] = options_[i]->currentIndex();
    form.name = name_->text().toLatin1().toStdString();
    form.numberName = numberName_->isChecked();
    return form;
}

void CBatchChannelDialog::Show(const CBatchForm& form) {
    SetChecked(range_, static_cast<int>(form.range));
    from_->setText(QString::fromStdString(form.from));
    to_->setText(QString::fromStdString(form.to));
    rxStart_->setText(QString::fromStdString(form.rxStart));
    rxStep_->setText(QString::fromStdString(form.rxStep));
    SetChecked(rxDirection_, form.rxUp ? 0 : 1);
    SetChecked(transmit_, static_cast<int>(form.transmit));
    offset_->setText(QString::fromStdString(form.offset));
    SetChecked(offsetSign_, form.offsetAdd ? 0 : 1);
    txStart_->setText(QString::fromStdString(form.txStart));
    txStep_->setText(QString::fromStdString(form.txStep));
    SetChecked(txDirection_, form.txUp ? 0 : 1);
    rxTone_->setCurrentIndex(form.rxToneIndex);
    rxToneRandom_->setChecked(form.rxToneRandom);
    rxToneInterval_->setText(QString::fromStdString(form.rxToneInterval));
    SetChecked(rxToneDirection_, form.rxToneUp ? 0 : 1);
    SetChecked(txToneMode_, form.txToneOwn ? 1 : 0);
    txTone_->setCurrentIndex(form.txToneIndex);
    txToneRandom_->setChecked(form.txToneRandom);
    txToneInterval_->setText(QString::fromStdString(form.txToneInterval));
    SetChecked(txToneDirection_, form.txToneUp ? 0 : 1);
    for (std::size_t i = 0; i < options_.size(); ++i) options_[i]->setCurrentIndex(form.options[i]);
    name_->setText(QString::fromLatin1(form.name));
    numberName_->setChecked(form.numberName);

    const CBatchForm::CEnabled& on = form.enabled;
    from_->setEnabled(on.fromTo);
    to_->setEnabled(on.fromTo);
    offset_->setEnabled(on.offset);
    EnableGroup(offsetSign_, on.offset);
    txStart_->setEnabled(on.txStart);
    txStep_->setEnabled(on.txStart);
    EnableGroup(txDirection_, on.txStart);
    rxTone_->setEnabled(on.rxTone);
    rxToneInterval_->setEnabled(on.rxTone);
    EnableGroup(rxToneDirection_, on.rxTone);
    txToneRandom_->setEnabled(on.txToneRandom);
    txTone_->setEnabled(on.txTone);
    txToneInterval_->setEnabled(on.txTone);
    EnableGroup(txToneDirection_, on.txTone);
}

void CBatchChannelDialog::RunEnableRules() {
    CBatchForm form = Form();
    ApplyBatchEnableRules(form);
    Show(form);
}

void CBatchChannelDialog::Apply() {
    // Seeded afresh on every apply, so two applies give two different sets of random tones.
    std::mt19937 generator(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    ApplyBatch(Form(), doc_.Limits(), doc_.Image(), [&generator] { return generator(); });
    if (refill_) refill_();
}

bool CBatchChannelDialog::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (object == rxStart_) savedRxStart_ = Std(rxStart_);
        if (object == txStart_) savedTxStart_ = Std(txStart_);
    }
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        auto* edit = static_cast<QLineEdit*>(object);
        std::string checked;
        if (object == from_)
            checked = CheckFromChannel(Std(from_), Std(to_));
        else if (object == to_)
            checked = CheckToChannel(Std(from_), Std(to_));
        else if (object == rxStart_)
            checked = CheckStartFrequency(Std(rxStart_), savedRxStart_, doc_.Limits());
        else if (object == txStart_)
            checked = CheckStartFrequency(Std(txStart_), savedTxStart_, doc_.Limits());
        else if (object == rxStep_ || object == txStep_)
            checked = CheckStep(Std(edit));
        else
            return QDialog::eventFilter(object, event);
        edit->setText(QString::fromStdString(checked));
    }
    return QDialog::eventFilter(object, event);
}

void CBatchChannelDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tarsel::ui
