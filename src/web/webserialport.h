// The core's serial port over the page's radio link (Web Serial, or the demo radio). The link's
// JavaScript side only moves bytes: a background reader fills a buffer and wakes a waiter; the
// waits and their time-outs are the port contract's own and are kept here. The exchange is
// suspended (Asyncify) while it waits, so the page stays responsive.
#pragma once

#include "core/radiolink/serialport.h"

namespace tarsel::web {

class CWebSerialPort : public CSerialPort {
public:
    // The page asks for a cancel on the link (calling into the module while it is suspended is
    // not possible); the port passes the request on to token while it waits.
    explicit CWebSerialPort(CCancelToken& token) : token_(token) {}
    ~CWebSerialPort() override { CloseRadioPort(); }

    COpenResult OpenRadioPort(std::string_view portName) override;
    bool ConfigureRadioPort() override { return open_; }
    void PurgeRadioPort() override;
    std::size_t WriteBytes(const std::uint8_t* bytes, std::size_t n) override;
    std::size_t ReadBytes(std::uint8_t* buffer, std::size_t n) override;
    void CloseRadioPort() override;
    bool IsOpen() const override { return open_; }

    void Pause(int ms) override;
    std::int64_t QueryCounterFrequency() const override { return 1'000'000; }
    std::int64_t QueryCounter() const override;

private:
    bool TakeCancelRequest();

    CCancelToken& token_;
    bool open_ = false;
};

} // namespace tarsel::web
