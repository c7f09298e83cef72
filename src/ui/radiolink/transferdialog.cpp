#include "ui/radiolink/transferdialog.h"

#include "core/radiolink/posixserialport.h"
#include "core/radiolink/settingsfile.h"
#include "ui/shell/prompter.h"

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

int Steps(ETransfer transfer) {
    int steps = 0;
    for (const map::CRange& range : TransferRanges(transfer))
        steps += (range.end - range.start + 31) / 32;
    return steps;
}

} // namespace

// The worker: it owns its port and its image and never touches a widget.
class CTransferThread : public QThread {
    Q_OBJECT
public:
    CTransferThread(ETransfer transfer, const CMemoryImage& image, std::string portName,
                    std::filesystem::path settingsPath)
        : worker_(transfer, image), portName_(std::move(portName)),
          settingsPath_(std::move(settingsPath)) {}

    const CExchangeResult& Result() const { return result_; }
    const CMemoryImage& Image() const { return worker_.Image(); }

signals:
    void Progress(int position, int total);

protected:
    void run() override {
        CPosixSerialPort port{CSettingsFile(settingsPath_)};
        result_ = worker_.Run(port, portName_,
                              [this](int position, int total) { emit Progress(position, total); });
    }

private:
    CTransferWorker worker_;
    std::string portName_;
    std::filesystem::path settingsPath_;
    CExchangeResult result_;
};

CTransferDialog::CTransferDialog(ETransfer transfer, CDocument& doc, CProgramState& state,
                                 std::filesystem::path settingsPath, CPrompter& prompter,
                                 QWidget* parent)
    : QDialog(parent), transfer_(transfer), doc_(doc), state_(state), settingsPath_(std::move(settingsPath)),
      prompter_(prompter), start_(new QPushButton(tr("开始"), this)),
      exit_(new QPushButton(tr("退出"), this)), bar_(new QProgressBar(this)),
      percent_(new QLabel(QStringLiteral("0%"), this)) {
    setObjectName(QStringLiteral("145"));
    setWindowTitle(Title(transfer));
    start_->setObjectName(QStringLiteral("1"));
    exit_->setObjectName(QStringLiteral("2"));
    bar_->setObjectName(QStringLiteral("1003"));
    percent_->setObjectName(QStringLiteral("1005"));
    start_->setDefault(true);
    bar_->setRange(0, Steps(transfer));
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(Title(transfer));
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* progress = new QHBoxLayout;
    progress->addWidget(bar_, 1);
    progress->addWidget(percent_);
    auto* buttons = new QHBoxLayout;
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
    start_->setEnabled(false);
    exit_->setEnabled(false);
    // A write or an initialise sends the image as it is now; a read fills a copy.
    thread_ =
        std::make_unique<CTransferThread>(transfer_, doc_.Image(), state_.portName, settingsPath_);
    connect(thread_.get(), &CTransferThread::Progress, this, &CTransferDialog::OnProgress);
    connect(thread_.get(), &QThread::finished, this, &CTransferDialog::OnFinished);
    thread_->start();
}

void CTransferDialog::OnProgress(int position, int total) {
    bar_->setValue(position);
    percent_->setText(QStringLiteral("%1%").arg(total > 0 ? position * 100 / total : 0));
}

void CTransferDialog::OnFinished() {
    const CExchangeResult result = thread_->Result();
    if (result.Done() && transfer_ == ETransfer::Read) doc_.Image() = thread_->Image();
    thread_.reset();
    gTransferBusy = false;
    done_ = result.Done();
    start_->setEnabled(true);
    exit_->setEnabled(true);
    const QString cause = QString::fromStdString(DescribeCause(result));
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        prompter_.ShowError(this, tr("无法打开串口"), cause);
        break;
    case EExchangeOutcome::CommunicationError:
        prompter_.ShowError(this, tr("通信出错"), cause);
        break;
    case EExchangeOutcome::Done:
        if (transfer_ == ETransfer::Initialise) {
            // Ready for the next radio with the same image.
            prompter_.ShowInformation(this, tr("初始化数据成功"));
            bar_->setValue(0);
            percent_->setText(QStringLiteral("0%"));
            emit Finished();
            return;
        }
        break;
    }
    emit Finished();
    QDialog::reject(); // the window closes after a read, a write or any failure
}

void CTransferDialog::reject() {
    if (Running()) return; // Escape and "退出" wait for the transfer
    QDialog::reject();
}

void CTransferDialog::closeEvent(QCloseEvent* event) {
    if (Running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tarsel::ui

#include "transferdialog.moc"
