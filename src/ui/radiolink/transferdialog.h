// The progress window of the whole-image transfers: "读数据", "写数据", "初始化数据". The transfer
// runs on a thread of its own on a copy of the image and reports by queued signals; the window
// commits a read's image only after the whole read. While a read or the reading back of a write
// runs, "退出" (and closing the window) cancels it; a write itself cannot be stopped half way.
#pragma once

#include "core/document/document.h"
#include "core/image/programstate.h"
#include "core/radiolink/transfer.h"

#include <QDialog>

#include <filesystem>
#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tarsel::ui {

class CPrompter;
class CTransferThread;

class CTransferDialog : public QDialog {
    Q_OBJECT
public:
    CTransferDialog(ETransfer transfer, CDocument& doc, CProgramState& state, std::filesystem::path settingsPath,
                    CPrompter& prompter, QWidget* parent = nullptr);
    ~CTransferDialog() override;

    // Whether a transfer completed (for a read: the image now holds the radio's memory).
    bool Done() const { return done_; }
    bool Running() const;

    // "开始": does nothing while any transfer of the program runs.
    void Start();

    QPushButton* StartButton() const { return start_; }
    QPushButton* ExitButton() const { return exit_; }
    QLabel* PercentLabel() const { return percent_; }
    // "写入后校验": only for a write or an initialise; remembered in the settings file.
    QCheckBox* VerifyBox() const { return verify_; }

    void reject() override;

signals:
    void Finished(); // a run ended, well or not (for tests)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnProgress(int position, int total);
    void OnFinished();
    void ReportOutcome(const CExchangeResult& result, bool verified);
    bool Cancellable() const;
    void Cancel();
    void ResetProgress();

    ETransfer transfer_;
    CDocument& doc_;
    CProgramState& state_;
    std::filesystem::path settingsPath_;
    CPrompter& prompter_;
    QPushButton* start_;
    QPushButton* exit_;
    QProgressBar* bar_;
    QLabel* percent_;
    QCheckBox* verify_ = nullptr;
    std::unique_ptr<CTransferThread> thread_;
    bool verifying_ = false; // the run reads its write back
    bool done_ = false;
};

} // namespace tarsel::ui
