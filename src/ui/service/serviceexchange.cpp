#include "ui/service/serviceexchange.h"

#include "core/radiolink/posixserialport.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/settingsfile.h"
#include "ui/shell/prompter.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace tarsel::ui {

CServiceExchange::CServiceExchange(QWidget* window, CPrompter& prompter,
                                   std::filesystem::path settingsPath)
    : window_(window), prompter_(prompter), settingsPath_(std::move(settingsPath)) {}

bool CServiceExchange::Run(const CJob& job) {
    CPosixSerialPort port{CSettingsFile(settingsPath_)};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CExchangeResult result = job(port);
    QApplication::restoreOverrideCursor();
    if (result.Done()) return true;
    const QString cause = QString::fromStdString(DescribeCause(result));
    if (result.outcome == EExchangeOutcome::PortNotOpened)
        prompter_.ShowError(window_, QObject::tr("无法打开串口"), cause);
    else
        prompter_.ShowError(window_, QObject::tr("通信出错"), cause);
    return false;
}

bool CServiceExchange::ReadRegion(const std::string& portName, map::CRange region,
                                  CMemoryImage& image) {
    auto staged = std::make_shared<CMemoryImage>(image);
    if (!Run([staged, portName, region](CSerialPort& port) {
            return tarsel::ReadRegion(port, portName, region, *staged);
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
    if (!Run([snapshot, portName, region](CSerialPort& port) {
            return tarsel::WriteRegion(port, portName, region, *snapshot);
        }))
        return false;
    prompter_.ShowInformation(window_, QObject::tr("写数据成功"));
    return true;
}

} // namespace tarsel::ui
