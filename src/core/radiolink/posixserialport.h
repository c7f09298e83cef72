// The serial port on a POSIX terminal device: a USB cable's /dev/ttyUSBn or /dev/ttyACMn, or the
// pseudo-terminal of the virtual radio.
#pragma once

#include "core/radiolink/serialport.h"
#include "core/radiolink/settingsfile.h"

#include <optional>

namespace tarsel {

class CPosixSerialPort : public CSerialPort {
public:
    // Port names are resolved with section "Ports" of settings when given (see ResolvePortDevice).
    explicit CPosixSerialPort(std::optional<CSettingsFile> settings = std::nullopt);
    ~CPosixSerialPort() override;

    // The device is held exclusively for as long as it is open: an advisory lock that binds every
    // program using it (root included) plus the terminal's exclusive mode, which also keeps out
    // programs that never lock. A path that is not a terminal is refused before anything is
    // configured on it.
    [[nodiscard]] COpenResult OpenRadioPort(std::string_view portName) override;
    bool ConfigureRadioPort() override;
    void PurgeRadioPort() override;
    std::size_t WriteBytes(const std::uint8_t* bytes, std::size_t n) override;
    std::size_t ReadBytes(std::uint8_t* buffer, std::size_t n) override;
    void CloseRadioPort() override;
    bool IsOpen() const override { return fd_ >= 0; }

private:
    std::optional<CSettingsFile> settings_;
    int fd_ = -1;
};

} // namespace tarsel
