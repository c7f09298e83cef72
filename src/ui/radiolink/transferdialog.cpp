#include "ui/radiolink/transferdialog.h"

#include "core/radiolink/canceltoken.h"
#include "core/radiolink/causewords.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/settingsfile.h"
#include "ui/radiolink/backupui.h"
#include "ui/shell/prompter.h"
#include "ui/widgets/coretext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>

namespace tarsel::ui {

namespace {

// One transfer at a time in the whole program.
std::atomic<bool> gTransferBusy{false};

QString Title(ETransfer transfer) {
    switch (transfer) {
    case ETransfer::Read:
        return QCoreApplication::translate("CTransferDialog", "读数据");
    case ETransfer::Write:
        return QCoreApplication::translate("CTransferDialog", "写数据");
    case ETransfer::Initialise:
        return QCoreApplication::translate("CTransferDialog", "初始化数据");
    }
    return {};
}

constexpr const char* kVerifySection = "Setup";
constexpr const char* kVerifyKey = "Verify";

EBackupKind BackupKind(ETransfer transfer) {
    switch (transfer) {
    case ETransfer::Read:
        return EBackupKind::Read;
    case ETransfer::Write:
        return EBackupKind::Write;
    case ETransfer::Initialise:
        return EBackupKind::Initialise;
    }
    return EBackupKind::Read;
}

} // namespace

// The worker: it owns its port and its image and never touches a widget.
class CTransferThread : public QThread {
    Q_OBJECT
public:
    CTransferThread(ETransfer transfer, const CMemoryImage& image, bool verify,
                    std::string portName, std::filesystem::path settingsPath)
        : worker_(transfer, image, {.verify = verify, .cancel = &cancel_}),
          portName_(std::move(portName)), settingsPath_(std::move(settingsPath)) {}

    const CExchangeResult& Result() const { return result_; }
    const CMemoryImage& Image() const { return worker_.Image(); }
    // From the window's thread; the worker sees it at its next wait.
    void Cancel() { cancel_.Cancel(); }

signals:
    void Progress(int position, int total);

protected:
    void run() override {
        CPosixSerialPort port{CSettingsFile(settingsPath_)};
        result_ = worker_.Run(port, portName_,
                              [this](int position, int total) { emit Progress(position, total); });
    }

private:
    CCancelToken cancel_;
    CTransferWorker worker_;
    std::string portName_;
    std::filesystem::path settingsPath_;
    CExchangeResult result_;
};

CTransferDialog::CTransferDialog(ETransfer transfer, CDocument& doc, CProgramState& state,
                                 std::filesystem::path settingsPath, CPrompter& prompter,
                                 QWidget* parent)
    : QDialog(parent), transfer_(transfer), doc_(doc), state_(state),
      settingsPath_(std::move(settingsPath)), prompter_(prompter),
      start_(new QPushButton(tr("开始"), this)), exit_(new QPushButton(tr("退出"), this)),
      bar_(new QProgressBar(this)), percent_(new QLabel(QStringLiteral("0%"), this)) {
    setObjectName(QStringLiteral("145"));
    setWindowTitle(Title(transfer));
    start_->setObjectName(QStringLiteral("1"));
    exit_->setObjectName(QStringLiteral("2"));
    bar_->setObjectName(QStringLiteral("1003"));
    percent_->setObjectName(QStringLiteral("1005"));
    start_->setDefault(true);
    bar_->setRange(0, TransferSteps(transfer, false));
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(Title(transfer));
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* progress = new QHBoxLayout;
    progress->addWidget(bar_, 1);
    progress->addWidget(percent_);
    auto* buttons = new QHBoxLayout;
    if (transfer != ETransfer::Read) {
        verify_ = new QCheckBox(tr("写入后校验"), this);
        verify_->setAccessibleName(verify_->text());
        verify_->setChecked(
            CSettingsFile(settingsPath_).ReadInteger(kVerifySection, kVerifyKey, 1) != 0);
        bar_->setRange(0, TransferSteps(transfer, verify_->isChecked()));
        connect(verify_, &QCheckBox::toggled, this, [this](bool on) {
            CSettingsFile(settingsPath_).WriteInteger(kVerifySection, kVerifyKey, on ? 1 : 0);
            bar_->setRange(0, TransferSteps(transfer_, on));
        });
        buttons->addWidget(verify_);
    }
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(exit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(progress);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    connect(start_, &QPushButton::clicked, this, &CTransferDialog::Start);
    connect(exit_, &QPushButton::clicked, this, &CTransferDialog::reject);
}

CTransferDialog::~CTransferDialog() {
    // The window cannot close while the thread runs; this only guards a destruction from outside.
    if (thread_) thread_->wait();
}

bool CTransferDialog::Running() const { return thread_ && thread_->isRunning(); }

void CTransferDialog::Start() {
    bool expected = false;
    if (!gTransferBusy.compare_exchange_strong(expected, true)) return;
    done_ = false;
    verifying_ = verify_ && verify_->isChecked();
    bar_->setRange(0, TransferSteps(transfer_, verifying_));
    start_->setEnabled(false);
    exit_->setEnabled(transfer_ == ETransfer::Read); // "退出" cancels a read
    if (verify_) verify_->setEnabled(false);
    // A write or an initialise sends the image as it is now; a read fills a copy.
    thread_ = std::make_unique<CTransferThread>(transfer_, doc_.Image(), verifying_,
                                                state_.portName, settingsPath_);
    connect(thread_.get(), &CTransferThread::Progress, this, &CTransferDialog::OnProgress);
    connect(thread_.get(), &QThread::finished, this, &CTransferDialog::OnFinished);
    thread_->start();
}

void CTransferDialog::OnProgress(int position, int total) {
    bar_->setMaximum(total);
    bar_->setValue(position);
    percent_->setText(QStringLiteral("%1%").arg(total > 0 ? position * 100 / total : 0));
    // The last block is written: from here on the run only reads, and may be stopped.
    if (verifying_ && position >= total / 2) exit_->setEnabled(true);
}

void CTransferDialog::OnFinished() {
    const CExchangeResult result = thread_->Result();
    const bool read = transfer_ == ETransfer::Read;
    if (result.Done() && read) doc_.Image() = thread_->Image();
    // A complete read, or whatever image went out to the radio (also half way).
    if (read ? result.Done() : ReachedTheBlocks(result))
        KeepRadioBackup(BackupKind(transfer_), thread_->Image(), state_, prompter_, this);
    thread_.reset();
    gTransferBusy = false;
    done_ = result.Done();
    start_->setEnabled(true);
    exit_->setEnabled(true);
    if (verify_) verify_->setEnabled(true);
    ReportOutcome(result, verifying_);
}

void CTransferDialog::ReportOutcome(const CExchangeResult& result, bool verified) {
    const QString cause = CoreText(CauseWords(result));
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        prompter_.ShowError(this, tr("无法打开串口"), cause);
        break;
    case EExchangeOutcome::CommunicationError:
        prompter_.ShowError(this, tr("通信出错"), cause);
        break;
    case EExchangeOutcome::Cancelled:
        prompter_.ShowInformation(this, tr("已取消"));
        break;
    case EExchangeOutcome::VerificationFailed:
        prompter_.ShowError(this, tr("写入校验失败"), cause);
        break;
    case EExchangeOutcome::Done:
        if (transfer_ == ETransfer::Initialise) {
            // Ready for the next radio with the same image.
            prompter_.ShowInformation(this, verified ? tr("写入并校验成功") : tr("初始化数据成功"));
            ResetProgress();
            emit Finished();
            return;
        }
        if (verified) prompter_.ShowInformation(this, tr("写入并校验成功"));
        break;
    }
    emit Finished();
    QDialog::reject(); // the window closes after a read, a write or any failure
}

void CTransferDialog::ResetProgress() {
    bar_->setValue(0);
    percent_->setText(QStringLiteral("0%"));
}

bool CTransferDialog::Cancellable() const { return Running() && exit_->isEnabled(); }

void CTransferDialog::Cancel() {
    if (Cancellable()) thread_->Cancel();
}

void CTransferDialog::reject() {
    // Escape and "退出" stop a read or a reading back; a write is waited for.
    if (Running()) return Cancel();
    QDialog::reject();
}

void CTransferDialog::closeEvent(QCloseEvent* event) {
    if (Running()) {
        Cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tarsel::ui

#include "transferdialog.moc"
