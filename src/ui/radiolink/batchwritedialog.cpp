#include "ui/radiolink/batchwritedialog.h"

#include "core/radiolink/causewords.h"
#include "core/radiolink/portchoice.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/settingsfile.h"
#include "ui/radiolink/backupui.h"
#include "ui/shell/prompter.h"
#include "ui/widgets/coretext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarsel::ui {

namespace {

static_assert(kPortChoices == 16);

QString OutcomeText(const CExchangeResult& result) {
    const QString cause = CoreText(CauseWords(result));
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        return CBatchWriteDialog::tr("无法打开串口") + QStringLiteral(": ") + cause;
    case EExchangeOutcome::CommunicationError:
        return CBatchWriteDialog::tr("通信出错") + QStringLiteral(": ") + cause;
    case EExchangeOutcome::Cancelled:
        return CBatchWriteDialog::tr("已取消");
    case EExchangeOutcome::VerificationFailed:
        return CBatchWriteDialog::tr("写入校验失败") + QStringLiteral(": ") + cause;
    case EExchangeOutcome::Done:
        break;
    }
    return CBatchWriteDialog::tr("完成");
}

} // namespace

CBatchWriteDialog::CBatchWriteDialog(const CMemoryImage& image, CProgramState& state,
                                     std::filesystem::path settingsPath, CPrompter& prompter,
                                     QWidget* parent)
    : QDialog(parent), image_(image), state_(state), settingsPath_(std::move(settingsPath)),
      prompter_(prompter), start_(new QPushButton(tr("开始"), this)),
      repeat_(new QPushButton(tr("重复"), this)), exit_(new QPushButton(tr("退出"), this)) {
    setObjectName(QStringLiteral("batchWrite"));
    setWindowTitle(tr("批量写频"));
    const CSettingsFile settings(settingsPath_);
    CPosixSerialPort probe(settings);
    const CPortDialogFields fields = LoadPortDialog(probe, &settings, state_.portName);

    auto* grid = new QGridLayout;
    for (int number = 1; number <= kPortChoices; ++number) {
        const CPortChoice& choice = fields.ports[static_cast<std::size_t>(number - 1)];
        CRow& row = rows_[static_cast<std::size_t>(number - 1)];
        row.portName = choice.name;
        const QString caption = QString::fromStdString(PortCaption(choice));
        row.tick = new QCheckBox(caption, this);
        row.tick->setObjectName(QStringLiteral("port%1").arg(number));
        row.tick->setAccessibleName(caption);
        // A port that did not open may still be tried: its row then says why it failed.
        row.tick->setChecked(choice.available);
        row.bar = new QProgressBar(this);
        row.bar->setObjectName(QStringLiteral("progress%1").arg(number));
        row.bar->setAccessibleName(caption);
        row.bar->setRange(0, TransferSteps(ETransfer::Write, false));
        row.bar->setValue(0);
        row.result = new QLabel(this);
        row.result->setObjectName(QStringLiteral("result%1").arg(number));
        row.result->setAccessibleName(caption);
        row.result->setWordWrap(true);
        grid->addWidget(row.tick, number - 1, 0);
        grid->addWidget(row.bar, number - 1, 1);
        grid->addWidget(row.result, number - 1, 2);
        connect(row.tick, &QCheckBox::toggled, this, &CBatchWriteDialog::UpdateButtons);
    }
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {start_, repeat_, exit_}) {
        button->setAccessibleName(button->text());
        buttons->addWidget(button);
    }
    start_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(640);
    connect(start_, &QPushButton::clicked, this, &CBatchWriteDialog::Start);
    connect(repeat_, &QPushButton::clicked, this, &CBatchWriteDialog::Repeat);
    connect(exit_, &QPushButton::clicked, this, &CBatchWriteDialog::reject);
    UpdateButtons();
}

CBatchWriteDialog::~CBatchWriteDialog() {
    // Joins the workers while this object can still take their queued calls (they are dropped).
    run_.reset();
}

void CBatchWriteDialog::Start() {
    std::vector<int> numbers;
    for (int number = 1; number <= kPortChoices; ++number)
        if (Row(number).tick->isChecked()) numbers.push_back(number);
    Run(numbers);
}

void CBatchWriteDialog::Repeat() { Run(running_); }

void CBatchWriteDialog::Run(const std::vector<int>& numbers) {
    if (run_ || numbers.empty()) return;
    running_ = numbers;
    pending_ = numbers.size();
    const CSettingsFile settings(settingsPath_);
    const bool verify = settings.ReadInteger("Setup", "Verify", 1) != 0;
    std::vector<std::string> names;
    for (int number = 1; number <= kPortChoices; ++number) {
        const CRow& row = Row(number);
        row.bar->setRange(0, TransferSteps(ETransfer::Write, verify));
        row.bar->setValue(0);
        row.result->clear();
    }
    for (int number : numbers) names.push_back(Row(number).portName);
    cancel_ = std::make_unique<CCancelToken>();
    run_ = std::make_unique<CMultiTransfer>(
        ETransfer::Write, image_, std::move(names),
        CTransferOptions{.verify = verify, .cancel = cancel_.get()});
    UpdateButtons();
    // The workers only post: every widget is touched on this thread.
    run_->Start(
        [settings] { return std::make_unique<CPosixSerialPort>(settings); },
        {.progress =
             [this](std::size_t index, int position, int total) {
                 QMetaObject::invokeMethod(
                     this, [=, this] { OnProgress(index, position, total); }, Qt::QueuedConnection);
             },
         .finished =
             [this](std::size_t index, const CExchangeResult& result) {
                 QMetaObject::invokeMethod(
                     this, [=, this] { OnPortFinished(index, result); }, Qt::QueuedConnection);
             }});
}

void CBatchWriteDialog::OnProgress(std::size_t index, int position, int total) {
    const CRow& row = Row(running_.at(index));
    row.bar->setMaximum(total);
    row.bar->setValue(position);
}

void CBatchWriteDialog::OnPortFinished(std::size_t index, const CExchangeResult& result) {
    Row(running_.at(index)).result->setText(OutcomeText(result));
    if (--pending_ == 0) OnAllFinished();
}

void CBatchWriteDialog::OnAllFinished() {
    const std::vector<CExchangeResult> results = run_->Wait();
    run_.reset();
    cancel_.reset();
    // Every radio was sent the same image: one backup of it is enough.
    for (const CExchangeResult& result : results)
        if (ReachedTheBlocks(result)) {
            KeepRadioBackup(EBackupKind::Write, image_, state_, prompter_, this);
            break;
        }
    UpdateButtons();
    emit Finished();
}

void CBatchWriteDialog::UpdateButtons() {
    bool ticked = false;
    for (const CRow& row : rows_) {
        ticked = ticked || row.tick->isChecked();
        row.tick->setEnabled(!run_);
    }
    start_->setEnabled(!run_ && ticked);
    repeat_->setEnabled(!run_ && !running_.empty());
}

void CBatchWriteDialog::reject() {
    // A write is waited for; a reading back stops.
    if (run_) {
        cancel_->Cancel();
        return;
    }
    QDialog::reject();
}

void CBatchWriteDialog::closeEvent(QCloseEvent* event) {
    if (run_) {
        cancel_->Cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tarsel::ui
