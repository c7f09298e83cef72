// The byte protocol spoken with the radio, one step at a time. Every exchange (clone read, write
// and initialise, the two service regions, the radio information) is a composition of these steps;
// none of them speaks to the port directly.
#pragma once

#include "core/image/bands.h"
#include "core/image/memorymap.h"
#include "core/radiolink/serialport.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

inline constexpr std::size_t kIdentLength = 32;
inline constexpr std::size_t kMaxBlockLength = 32;
inline constexpr uint8_t kAcknowledge = 0x41;
inline constexpr int kWakeUpAttempts = 4;
inline constexpr int kCloneWakeUpPauseMs = 1;
inline constexpr int kInformationWakeUpPauseMs = 2;

using CIdentBlock = std::array<uint8_t, kIdentLength>;

// One block request: it never crosses a 32-byte line.
struct CBlock {
    uint16_t address;
    uint8_t length;
    friend bool operator==(const CBlock&, const CBlock&) = default;
};

// The blocks of the ranges in order: a block at a is min(32 - a % 32, end - a) long. An empty or
// reversed range has none; nothing past the image is ever asked for.
std::vector<CBlock> BlocksOf(std::span<const map::CRange> ranges);

// The steps a progress bar counts: the sum of (end - start + 31) / 32 over the ranges.
int ProgressTotal(std::span<const map::CRange> ranges);

// One band limit of the identification block (index 0..3: A low, A high, B low, B high). The four
// bytes are taken little-endian, printed as hexadecimal and read back as decimal, so packed BCD
// gives its value; text that starts with a hex letter has no decimal digits and leaves the 32-bit
// value as it came, read as signed.
int32_t IdentLimit(const CIdentBlock& block, int index);
CBandLimits IdentBandLimits(const CIdentBlock& block);

// After a complete read: a band pair whose lower limit's top byte is still 0xFF in the image
// takes the limits the radio reported. Pairs that hold limits are kept.
void FillBlankBandLimits(CMemoryImage& image, const CBandLimits& reported);

// What went wrong on an open link, kept as data.
enum class ELinkFault {
    None,
    NoWakeUpReply,        // no "PG" after every attempt
    ShortIdentBlock,      // received of kIdentLength bytes arrived
    BadStartAcknowledge,  // reply (received 0 or 1 bytes)
    ShortBlock,           // read block at address: received of expected bytes (header included)
    BlockNotAcknowledged, // block at address: reply (received 0 or 1 bytes)
};

struct CLinkFault {
    ELinkFault kind = ELinkFault::None;
    uint16_t address = 0;
    std::size_t received = 0;
    std::size_t expected = 0;
    uint8_t reply = 0;

    explicit operator bool() const { return kind != ELinkFault::None; }
};

// In words a user can act on, e.g. "block 0x1A40 not acknowledged: reply 0x42, expected 0x41".
std::string DescribeLinkFault(const CLinkFault& fault);

// An open link. The port is closed when the link goes, on every way out of an exchange.
class CRadioLink {
public:
    explicit CRadioLink(CSerialPort& port) : port_(port) {}
    ~CRadioLink() { port_.CloseRadioPort(); }
    CRadioLink(const CRadioLink&) = delete;
    CRadioLink& operator=(const CRadioLink&) = delete;

    // Opens and configures the port, then starts from an empty buffer and empty queues.
    [[nodiscard]] COpenResult Open(std::string_view portName);

    // "\x02PROGRAM" one byte at a time, each after pauseMs, then "PG" within 100 ms; up to
    // kWakeUpAttempts times on the same open port.
    [[nodiscard]] CLinkFault WakeUp(int pauseMs);
    [[nodiscard]] CLinkFault Identify(CIdentBlock& block);
    [[nodiscard]] CLinkFault StartAcknowledge();
    // destination: block.length bytes, written only once the whole block has arrived.
    [[nodiscard]] CLinkFault ReadBlock(CBlock block, std::span<uint8_t> destination);
    [[nodiscard]] CLinkFault WriteBlock(CBlock block, std::span<const uint8_t> source);
    void EndRead();
    void EndWrite();

private:
    bool WakeUpAttempt(int pauseMs);
    void ClearBuffer() { buffer_.fill(0); }
    void Send(std::span<const uint8_t> bytes) { port_.WriteBytes(bytes.data(), bytes.size()); }
    CLinkFault ExpectAcknowledge(ELinkFault kind, uint16_t address);

    CSerialPort& port_;
    std::array<uint8_t, kIdentLength> buffer_{};
};

} // namespace tarsel
