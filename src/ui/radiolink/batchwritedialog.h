// "批量写频": one image written to many radios at once, a row per port (COM1..COM16 with their
// devices and adapters as the port dialog shows them), each with its own progress and result.
// The transfers run on threads of their own on copies of the image and report by queued calls;
// the window never waits for a radio, and the image it was given is never changed.
#pragma once

#include "core/image/programstate.h"
#include "core/radiolink/canceltoken.h"
#include "core/radiolink/multitransfer.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tarsel::ui {

class CPrompter;

class CBatchWriteDialog : public QDialog {
    Q_OBJECT
public:
    // image: the snapshot to send, parsed from the grid by the caller; state gives the current
    // port and the warning state of the backups.
    CBatchWriteDialog(const CMemoryImage& image, CProgramState& state,
                      std::filesystem::path settingsPath, CPrompter& prompter,
                      QWidget* parent = nullptr);
    ~CBatchWriteDialog() override;

    struct CRow {
        std::string portName; // "COM1" .. "\\.\COM16"
        QCheckBox* tick = nullptr;
        QProgressBar* bar = nullptr;
        QLabel* result = nullptr;
    };
    const CRow& Row(int number) const { return rows_.at(static_cast<std::size_t>(number - 1)); }

    QPushButton* StartButton() const { return start_; }
    QPushButton* RepeatButton() const { return repeat_; }
    QPushButton* ExitButton() const { return exit_; }
    bool Running() const { return run_ != nullptr; }

    // "开始": every ticked radio at once. "重复": the ports of the last run again.
    void Start();
    void Repeat();

    void reject() override;

signals:
    void Finished(); // every radio of a run ended (for tests)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Run(const std::vector<int>& numbers);
    void OnProgress(std::size_t index, int position, int total);
    void OnPortFinished(std::size_t index, const CExchangeResult& result);
    void OnAllFinished();
    void UpdateButtons();

    const CMemoryImage image_;
    CProgramState& state_;
    std::filesystem::path settingsPath_;
    CPrompter& prompter_;
    std::array<CRow, 16> rows_;
    QPushButton* start_;
    QPushButton* repeat_;
    QPushButton* exit_;
    std::vector<int> running_; // port numbers of the run, in the order of its transfers
    std::size_t pending_ = 0;  // transfers of the run not yet ended
    std::unique_ptr<CCancelToken> cancel_;
    std::unique_ptr<CMultiTransfer> run_;
};

} // namespace tarsel::ui
