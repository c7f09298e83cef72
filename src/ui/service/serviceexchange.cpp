#include "ui/service/serviceexchange.h"

#include "core/radiolink/canceltoken.h"
#include "core/radiolink/causewords.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/settingsfile.h"
#include "ui/shell/prompter.h"
#include "ui/widgets/coretext.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace tarsel::ui {

// The worker: it owns its port and its job (with the job's copies) and never touches a widget.
class CServiceThread : public QThread {
    Q_OBJECT
public:
    CServiceThread(CServiceExchange::CJob job, std::filesystem::path settingsPath, bool cancellable)
        : job_(std::move(job)), settingsPath_(std::move(settingsPath)), cancellable_(cancellable) {}

    const CExchangeResult& Result() const { return result_; }
    // From the window's thread; the worker sees it at its next wait.
    void Cancel() { cancel_.Cancel(); }

signals:
    void Progress(int position, int total);

protected:
    void run() override {
        CPosixSerialPort port{CSettingsFile(settingsPath_)};
        result_ = job_(
            port, [this](int position, int total) { emit Progress(position, total); },
            cancellable_ ? &cancel_ : nullptr);
    }

private:
    CServiceExchange::CJob job_;
    std::filesystem::path settingsPath_;
    bool cancellable_;
    CCancelToken cancel_;
    CExchangeResult result_;
};

// The small window shown while the worker runs: the exchange's name and a progress bar, and for
// an exchange that can be stopped, "退出". It closes itself when the worker ends, and only then.
class CServiceProgressWindow : public QDialog {
    Q_OBJECT
public:
    CServiceProgressWindow(const QString& name, CServiceThread& thread, bool cancellable,
                           QWidget* parent)
        : QDialog(parent), thread_(thread), bar_(new QProgressBar(this)) {
        setObjectName(QStringLiteral("serviceProgress"));
        setWindowTitle(name);
        auto* label = new QLabel(name, this);
        label->setBuddy(bar_);
        bar_->setAccessibleName(name);
        bar_->setRange(0, 0); // busy until the first block is through
        bar_->setTextVisible(false);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(bar_);
        if (cancellable) {
            exit_ = new QPushButton(tr("退出"), this);
            exit_->setObjectName(QStringLiteral("2"));
            exit_->setAccessibleName(exit_->text());
            exit_->setAutoDefault(false);
            auto* buttons = new QHBoxLayout;
            buttons->addStretch(1);
            buttons->addWidget(exit_);
            layout->addLayout(buttons);
            connect(exit_, &QPushButton::clicked, this, &CServiceProgressWindow::reject);
        }
        setMinimumWidth(300);
        connect(&thread, &CServiceThread::Progress, this, &CServiceProgressWindow::OnProgress);
        connect(&thread, &QThread::finished, this, &CServiceProgressWindow::OnFinished);
    }

    // Escape and "退出" stop a read; a write is waited for.
    void reject() override {
        if (finished_) return QDialog::reject();
        if (!exit_) return;
        thread_.Cancel();
        exit_->setEnabled(false);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (finished_) return QDialog::closeEvent(event);
        reject();
        event->ignore();
    }

private:
    void OnProgress(int position, int total) {
        bar_->setRange(0, total);
        bar_->setValue(position);
    }
    void OnFinished() {
        finished_ = true;
        accept();
    }

    CServiceThread& thread_;
    QProgressBar* bar_;
    QPushButton* exit_ = nullptr;
    bool finished_ = false;
};

CServiceExchange::CServiceExchange(QWidget* window, CPrompter& prompter,
                                   std::filesystem::path settingsPath)
    : window_(window), prompter_(prompter), settingsPath_(std::move(settingsPath)) {}

bool CServiceExchange::Run(const QString& name, bool cancellable, const CJob& job) {
    CServiceThread thread(job, settingsPath_, cancellable);
    {
        CServiceProgressWindow progress(name, thread, cancellable, window_);
        thread.start();
        progress.exec();
    }
    // The progress window only ends with the worker, unless the whole program is quitting.
    if (thread.isRunning() && cancellable) thread.Cancel();
    thread.wait();
    const CExchangeResult& result = thread.Result();
    if (result.Done()) return true;
    Report(result);
    return false;
}

void CServiceExchange::Report(const CExchangeResult& result) {
    const QString cause = CoreText(CauseWords(result));
    switch (result.outcome) {
    case EExchangeOutcome::PortNotOpened:
        prompter_.ShowError(window_, QObject::tr("无法打开串口"), cause);
        break;
    case EExchangeOutcome::Cancelled:
        prompter_.ShowInformation(window_, QObject::tr("已取消"));
        break;
    default:
        prompter_.ShowError(window_, QObject::tr("通信出错"), cause);
        break;
    }
}

bool CServiceExchange::ReadRegion(const std::string& portName, map::CRange region,
                                  CMemoryImage& image) {
    auto staged = std::make_shared<CMemoryImage>(image);
    if (!Run(QObject::tr("读数据"), true,
             [staged, portName, region](CSerialPort& port, const CProgress& progress,
                                        const CCancelToken* cancel) {
                 return tarsel::ReadRegion(port, portName, region, *staged, cancel, progress);
             }))
        return false;
    std::ranges::copy(staged->Stretch(region.start, region.Size()),
                      image.Stretch(region.start, region.Size()).begin());
    prompter_.ShowInformation(window_, QObject::tr("读数据成功"));
    return true;
}

bool CServiceExchange::WriteRegion(const std::string& portName, map::CRange region,
                                   const CMemoryImage& image) {
    auto snapshot = std::make_shared<const CMemoryImage>(image);
    if (!Run(QObject::tr("写数据"), false,
             [snapshot, portName, region](CSerialPort& port, const CProgress& progress,
                                          const CCancelToken*) {
                 return tarsel::WriteRegion(port, portName, region, *snapshot, progress);
             }))
        return false;
    prompter_.ShowInformation(window_, QObject::tr("写数据成功"));
    return true;
}

} // namespace tarsel::ui

#include "serviceexchange.moc"
