// The radio's side of the link on a CFakePort, reacting to each write the host makes, with the
// faults the host must survive. Written from the radio's point of view: it shares no code with the
// host's protocol.
#pragma once

#include "fakeport.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tarsel::test {

class CScriptedRadio {
public:
    static constexpr int kNone = -1; // a reply byte that is not sent

    explicit CScriptedRadio(CFakePort& port) : port_(port) {
        memory.fill(0xFF);
        ident.fill(0xFF);
        const std::uint8_t head[8] = {'T', 'Z', '-', '3', '1', '6', 0, 0};
        std::copy(std::begin(head), std::end(head), ident.begin());
        SetIdentBytes(8, {1, 2, 3});
        SetIdentBytes(16, {0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17,   // 136-174 MHz
                           0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x48}); // 400-480 MHz
        port.onWrite = [this](const std::vector<std::uint8_t>& bytes) { OnWrite(bytes); };
        port.onRead = [this] { OnRead(); };
    }

    void SetIdentBytes(std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), ident.begin() + static_cast<std::ptrdiff_t>(at));
    }

    std::array<std::uint8_t, 0x4000> memory{};
    std::array<std::uint8_t, 32> ident{};

    // Faults. Blocks count from 0, reads and writes alike.
    bool silent = false;
    int strayBytes = 0; // before the first "PG" only
    int identLength = 32;
    int startAckReply = 0x41;
    int badAckBlock = kNone;
    int badAckReply = 0x42;
    int shortBlock = kNone; // a read block whose data stops halfway

    int wakeUps = 0, blocks = 0, endReads = 0, endWrites = 0;

private:
    static constexpr std::uint8_t kWake[8] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    enum class EState { Idle, Woken, Identified, Started };

    void Send(std::vector<std::uint8_t> bytes) { port_.Reply(bytes); }
    void SendByte(int byte) {
        if (byte != kNone) Send({static_cast<std::uint8_t>(byte)});
    }
    int AckFor(int block) const { return block == badAckBlock ? badAckReply : 0x41; }

    void OnWrite(const std::vector<std::uint8_t>& bytes) {
        if (silent) return;
        if (pendingWrite_.size() == 4) return StoreWrite(bytes);
        if (bytes.size() == 1 && wake_ < 8 && bytes[0] == kWake[wake_]) {
            // A lone 0x02 after "PG" is the identify, unless "PROGRAM" follows it.
            pendingIdentify_ = wake_ == 0 && state_ == EState::Woken;
            if (++wake_ == 8) OnWakeUp();
            return;
        }
        wake_ = 0;
        pendingIdentify_ = false;
        if (bytes.size() == 1 && bytes[0] == 0x41) {
            if (state_ == EState::Identified) {
                state_ = EState::Started;
                SendByte(startAckReply);
            } else if (state_ == EState::Started && readAckDue_ != kNone) {
                SendByte(AckFor(readAckDue_));
                readAckDue_ = kNone;
            }
            return;
        }
        if (state_ == EState::Started && bytes.size() == 4 && bytes[0] == 'R') return Read(bytes);
        if (state_ == EState::Started && bytes.size() == 4 && bytes[0] == 'W') {
            pendingWrite_ = bytes;
            return;
        }
        const std::vector<std::uint8_t> endRead{'E', 'N', 'D', 'R'}, endWrite{'E', 'N', 'D', 'W'};
        if (bytes == endRead || bytes == endWrite) {
            ++(bytes == endRead ? endReads : endWrites);
            state_ = EState::Idle;
        }
    }

    void OnRead() {
        if (!pendingIdentify_) return;
        pendingIdentify_ = false;
        wake_ = 0;
        state_ = EState::Identified;
        Send({ident.begin(), ident.begin() + identLength});
    }

    void OnWakeUp() {
        wake_ = 0;
        ++wakeUps;
        std::vector<std::uint8_t> reply(strayDone_ ? 0 : static_cast<std::size_t>(strayBytes), 0);
        strayDone_ = true;
        reply.push_back('P');
        reply.push_back('G');
        state_ = EState::Woken;
        Send(reply);
    }

    void Read(const std::vector<std::uint8_t>& request) {
        const std::size_t address = std::size_t{request[1]} << 8 | request[2];
        const std::size_t length = request[3];
        const int block = blocks++;
        std::vector<std::uint8_t> reply{'W', request[1], request[2], request[3]};
        const std::size_t sent = block == shortBlock ? length / 2 : length;
        reply.insert(reply.end(), memory.begin() + static_cast<std::ptrdiff_t>(address),
                     memory.begin() + static_cast<std::ptrdiff_t>(address + sent));
        Send(reply);
        readAckDue_ = block;
    }

    void StoreWrite(const std::vector<std::uint8_t>& data) {
        const std::size_t address = std::size_t{pendingWrite_[1]} << 8 | pendingWrite_[2];
        const std::size_t length = pendingWrite_[3];
        pendingWrite_.clear();
        const int block = blocks++;
        if (data.size() != length) return;
        std::copy(data.begin(), data.end(), memory.begin() + static_cast<std::ptrdiff_t>(address));
        SendByte(AckFor(block));
    }

    CFakePort& port_;
    EState state_ = EState::Idle;
    int wake_ = 0;
    bool pendingIdentify_ = false;
    bool strayDone_ = false;
    int readAckDue_ = kNone;
    std::vector<std::uint8_t> pendingWrite_;
};

} // namespace tarsel::test
