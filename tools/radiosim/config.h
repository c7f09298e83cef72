#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace radiosim {

inline constexpr std::size_t kMemorySize = 16384;
inline constexpr std::size_t kIdentLength = 32;
inline constexpr std::size_t kMaxBlockLength = 32;
inline constexpr uint8_t kAck = 0x41;
// A reply byte set to this is not sent at all.
inline constexpr int kNoReply = -1;

// Misbehaviour put on the link on purpose. Blocks are numbered from 0 within one exchange, reads
// and writes alike; -1 switches a block fault off.
struct CFaults {
    bool silent = false;      // never sends a byte; applies to every exchange
    int strayBytes = 0;       // junk bytes sent before "PG" on an exchange's first wake-up
    int startAckReply = kAck; // the reply to the start acknowledge
    int identLength = static_cast<int>(kIdentLength); // bytes of the identification block sent
    int badAckBlock = -1; // read: the reply to this block's acknowledge; write: its ack
    int badAckReply = 0x42;
    int hangUpBlock = -1; // the cable is pulled when this block's request has arrived
    int stallBlock = -1;  // read: pause halfway through the data; write: pause before the ack
    int stallMs = 0;
    int corruptWriteBlock = -1; // write: acknowledged, but one byte is stored inverted
    int corruptWriteOffset = 0; // that byte within the block; past its end nothing is changed
    int exchange = -1; // the only exchange (from 0) the faults apply to; -1 = every exchange
};

struct CBandLimits {
    uint32_t low = 0; // 10 Hz units
    uint32_t high = 0;
};

struct CConfig {
    std::string model = "TZ-316"; // at most 8 characters are sent
    uint8_t modelPad = 0x00;
    std::vector<uint8_t> firmware{1, 2, 3}; // at most 7 bytes, the rest of the field is 0xFF
    uint8_t variant = 0;
    CBandLimits bandA{13600000, 17400000};
    CBandLimits bandB{40000000, 48000000};

    bool pace = false;        // 9600 baud 8-N-1 in both directions
    std::string linkPath{};   // a symlink to the device, made by Start, removed by Stop
    std::string memoryPath{}; // loaded by Start when it exists; where saves go
    bool saveOnWrite = false; // save when an exchange that stored blocks ends in any way
    bool saveOnExit = false;
    std::string tracePath{}; // every frame as a text line; "-" = stderr
    CFaults faults{};
};

// Eight decimal digits as packed BCD, the least significant pair first.
std::array<uint8_t, 4> PackBcd(uint32_t value);

std::array<uint8_t, kIdentLength> BuildIdentBlock(const CConfig& config);

} // namespace radiosim
