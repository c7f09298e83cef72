// How a service window talks to the radio. An exchange is a job that gets the serial port and
// works only on copies it owns (an image snapshot to send, a staging image to read into). It runs
// on a worker thread of its own behind a small modal progress window, so the window's event loop
// keeps running; the window's own image changes only after the job is done, on the window's
// thread. The worker never touches a widget: it reports progress by queued signals.
#pragma once

#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"
#include "core/radiolink/exchange.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace tarsel {
class CCancelToken;
class CSerialPort;
} // namespace tarsel

namespace tarsel::ui {

class CPrompter;

class CServiceExchange {
public:
    // Runs on the worker thread. progress may be called from there; cancel is nullptr when the
    // exchange cannot be stopped.
    using CJob = std::function<CExchangeResult(CSerialPort& port, const CProgress& progress,
                                               const CCancelToken* cancel)>;

    CServiceExchange(QWidget* window, CPrompter& prompter, std::filesystem::path settingsPath);

    // Runs job on a port of the settings file behind the progress window, which shows name.
    // When cancellable, the progress window's "退出" (and Escape, and closing it) stop the job,
    // which then ends with "已取消"; otherwise the window stays until the job ends. A failure is
    // reported with "无法打开串口" or "通信出错" and its cause; success is left to the caller.
    // Returns whether done.
    bool Run(const QString& name, bool cancellable, const CJob& job);

    // "读数据": region of the radio into image, whole or not at all; "读数据成功" when done.
    // The read can be cancelled.
    bool ReadRegion(const std::string& portName, map::CRange region, CMemoryImage& image);
    // "写数据": region of image to the radio; "写数据成功" when done. A write runs to its end.
    bool WriteRegion(const std::string& portName, map::CRange region, const CMemoryImage& image);

    CPrompter& Prompter() const { return prompter_; }

private:
    void Report(const CExchangeResult& result);

    QWidget* window_;
    CPrompter& prompter_;
    std::filesystem::path settingsPath_;
};

} // namespace tarsel::ui
