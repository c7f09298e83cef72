// The progress window of the whole-image transfers: "读数据", "写数据", "初始化数据". The transfer
// runs on a thread of its own on a copy of the image and reports by queued signals; the window
// commits a read's image only after the whole read, and refuses to close while the thread runs.
#pragma once

#include "core/document/document.h"
#include "core/image/programstate.h"
#include "core/radiolink/transfer.h"

#include <QDialog>

#include <filesystem>
#include <memory>

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

    void reject() override;

signals:
    void Finished(); // a run ended, well or not (for tests)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnProgress(int position, int total);
    void OnFinished();

    ETransfer transfer_;
    CDocument& doc_;
    CProgramState& state_;
    std::filesystem::path settingsPath_;
    CPrompter& prompter_;
    QPushButton* start_;
    QPushButton* exit_;
    QProgressBar* bar_;
    QLabel* percent_;
    std::unique_ptr<CTransferThread> thread_;
    bool done_ = false;
};

} // namespace tarsel::ui
