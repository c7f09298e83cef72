// The serial port on a POSIX terminal device: a USB cable's /dev/ttyUSBn or /dev/ttyACMn, or the
// pseudo-terminal of the virtual radio.
#pragma once

#include "core/radiolink/posixcalls.h"
#include "core/radiolink/serialport.h"
#include "core/radiolink/settingsfile.h"

#include <optional>

#include <linux/serial.h>
#include <termios.h>

namespace tarsel {

class CPosixSerialPort : public CSerialPort {
public:
    // Port names are resolved with section "Ports" of settings when given (see ResolvePortDevice).
    explicit CPosixSerialPort(std::optional<CSettingsFile> settings = std::nullopt,
                              CPosixCalls& calls = CPosixCalls::System());
    ~CPosixSerialPort() override;

    // The device is held exclusively for as long as it is open: an advisory lock that binds every
    // program using it (root included) plus the terminal's exclusive mode, which also keeps out
    // programs that never lock. A path that is not a terminal is refused before anything is
    // configured on it. Once held, DTR and RTS are raised (many cables draw their power from
    // them) and the driver is asked for low latency; a driver that refuses either is used as it
    // is. The terminal settings found here are put back when the port closes.
    [[nodiscard]] COpenResult OpenRadioPort(std::string_view portName) override;
    bool ConfigureRadioPort() override;
    void PurgeRadioPort() override;
    std::size_t WriteBytes(const std::uint8_t* bytes, std::size_t n) override;
    std::size_t ReadBytes(std::uint8_t* buffer, std::size_t n) override;
    void CloseRadioPort() override;
    bool IsOpen() const override { return fd_ >= 0; }

private:
    void PrepareLine();
    void RestoreLine();

    std::optional<CSettingsFile> settings_;
    CPosixCalls& calls_;
    int fd_ = -1;
    std::optional<termios> found_;             // the settings at open
    std::optional<serial_struct> foundSerial_; // the driver's flags, when low latency was set
};

} // namespace tarsel
