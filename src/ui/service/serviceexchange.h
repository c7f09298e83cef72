// How a service window talks to the radio. An exchange is a job that gets the serial port and
// works only on copies it owns (an image snapshot to send, a staging image to read into); the
// window's own image changes only after the job is done, on the window's thread. Today the job runs
// right here under the busy cursor; since it touches no widget and no shared state, it can move to
// a worker thread behind a small progress window without the windows noticing.
#pragma once

#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"
#include "core/radiolink/exchange.h"

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace tarsel {
class CSerialPort;
}

namespace tarsel::ui {

class CPrompter;

class CServiceExchange {
public:
    using CJob = std::function<CExchangeResult(CSerialPort& port)>;

    CServiceExchange(QWidget* window, CPrompter& prompter, std::filesystem::path settingsPath);

    // Runs job on a port of the settings file. A failure is reported with "无法打开串口" or
    // "通信出错" and its cause; success is left to the caller. Returns whether done.
    bool Run(const CJob& job);

    // "读数据": region of the radio into image, whole or not at all; "读数据成功" when done.
    bool ReadRegion(const std::string& portName, map::CRange region, CMemoryImage& image);
    // "写数据": region of image to the radio; "写数据成功" when done.
    bool WriteRegion(const std::string& portName, map::CRange region, const CMemoryImage& image);

private:
    QWidget* window_;
    CPrompter& prompter_;
    std::filesystem::path settingsPath_;
};

} // namespace tarsel::ui
