#include "core/radiolink/protocol.h"

#include "core/image/bcd.h"
#include "core/image/memoryimage.h"

#include <algorithm>
#include <cstdio>

namespace tarsel {

namespace {

constexpr std::array<uint8_t, 8> kWakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr uint8_t kReplyP = 'P';
constexpr uint8_t kReplyG = 'G';
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kReadRequest = 'R';
constexpr uint8_t kWriteRequest = 'W';
constexpr std::array<uint8_t, 4> kEndRead{'E', 'N', 'D', 'R'};
constexpr std::array<uint8_t, 4> kEndWrite{'E', 'N', 'D', 'W'};
constexpr std::size_t kReadHeaderLength = 4;
constexpr std::int64_t kWakeUpReplyMs = 100;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// The B pair's route: the number as decimal text, that text read as hexadecimal. For 0..99999999
// this is packed BCD; a raw (negative) limit keeps its sign, as a hexadecimal scan of "-..."
// negates modulo 2^32.
void EncodeThroughText(int32_t value, std::span<uint8_t, 4> field) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    uint32_t bits = 0;
    for (; *p >= '0' && *p <= '9'; ++p) bits = bits * 16 + static_cast<uint32_t>(*p - '0');
    if (negative) bits = 0u - bits;
    for (std::size_t i = 0; i < 4; ++i) field[i] = static_cast<uint8_t>(bits >> (8 * i));
}

} // namespace

std::vector<CBlock> BlocksOf(std::span<const map::CRange> ranges) {
    std::vector<CBlock> blocks;
    for (const map::CRange& range : ranges) {
        const std::size_t end = std::min<std::size_t>(range.end, map::kImageSize);
        for (std::size_t a = range.start; a < end;) {
            const std::size_t length = std::min(kMaxBlockLength - a % kMaxBlockLength, end - a);
            blocks.push_back({static_cast<uint16_t>(a), static_cast<uint8_t>(length)});
            a += length;
        }
    }
    return blocks;
}

int ProgressTotal(std::span<const map::CRange> ranges) {
    int total = 0;
    for (const map::CRange& range : ranges) {
        const int end = std::min<int>(range.end, map::kImageSize);
        if (end > range.start) total += (end - range.start + 31) / 32;
    }
    return total;
}

int32_t IdentLimit(const CIdentBlock& block, int index) {
    const std::size_t at = 16 + 4 * static_cast<std::size_t>(index);
    uint32_t raw = 0;
    for (std::size_t i = 0; i < 4; ++i) raw |= static_cast<uint32_t>(block[at + i]) << (8 * i);
    char text[16];
    std::snprintf(text, sizeof text, "%x", raw);
    // At most eight digits, so the decimal reading always fits.
    int32_t value = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) value = value * 10 + (*p - '0');
    return p == text ? static_cast<int32_t>(raw) : value;
}

CBandLimits IdentBandLimits(const CIdentBlock& block) {
    CBandLimits limits;
    for (int band = 0; band < 2; ++band) {
        limits.low[band] = IdentLimit(block, 2 * band);
        limits.high[band] = IdentLimit(block, 2 * band + 1);
    }
    return limits;
}

void FillBlankBandLimits(CMemoryImage& image, const CBandLimits& reported) {
    if (image[map::kBandALowTopByte] == CMemoryImage::kErased) {
        EncodeFrequencyField(reported.low[0], image.Field<4>(map::kBandALow));
        EncodeFrequencyField(reported.high[0], image.Field<4>(map::kBandAHigh));
    }
    if (image[map::kBandBLowTopByte] == CMemoryImage::kErased) {
        EncodeThroughText(reported.low[1], image.Field<4>(map::kBandBLow));
        EncodeThroughText(reported.high[1], image.Field<4>(map::kBandBHigh));
    }
}

std::string DescribeLinkFault(const CLinkFault& fault) {
    const auto reply = [&fault] {
        if (fault.received == 0) return std::string("no reply");
        return "reply " + Hex(fault.reply, 2) + ", expected " + Hex(kAcknowledge, 2);
    };
    const auto count = [&fault] {
        return std::to_string(fault.received) + " of " + std::to_string(fault.expected) + " bytes";
    };
    switch (fault.kind) {
    case ELinkFault::None:
        return "no fault";
    case ELinkFault::NoWakeUpReply:
        return "no reply to the wake-up after " + std::to_string(kWakeUpAttempts) + " attempts";
    case ELinkFault::ShortIdentBlock:
        return "identification block incomplete: " + count();
    case ELinkFault::BadStartAcknowledge:
        if (fault.received == 0) return "no reply to the start acknowledge";
        return "start acknowledge was " + Hex(fault.reply, 2) + ", expected " +
               Hex(kAcknowledge, 2);
    case ELinkFault::ShortBlock:
        return "block " + Hex(fault.address, 4) + " incomplete: " + count();
    case ELinkFault::BlockNotAcknowledged:
        return "block " + Hex(fault.address, 4) + " not acknowledged: " + reply();
    }
    return "unknown fault";
}

COpenResult CRadioLink::Open(std::string_view portName) {
    COpenResult result = port_.OpenRadioPort(portName);
    if (!result.Succeeded()) return result;
    // A port that refuses the line settings still gets its chance: the replies decide.
    port_.ConfigureRadioPort();
    ClearBuffer();
    port_.PurgeRadioPort();
    return result;
}

CLinkFault CRadioLink::WakeUp(int pauseMs) {
    // No purge between attempts: a "PG" that comes late for one attempt counts for the next.
    for (int attempt = 0; attempt < kWakeUpAttempts && !port_.CancelRequested(); ++attempt)
        if (WakeUpAttempt(pauseMs)) return {};
    return {.kind = ELinkFault::NoWakeUpReply};
}

bool CRadioLink::WakeUpAttempt(int pauseMs) {
    for (const uint8_t byte : kWakeUp) {
        port_.Pause(pauseMs);
        port_.WriteBytes(&byte, 1);
    }
    Stopwatch stopwatch(port_);
    stopwatch.Start();
    // Bytes are taken in pairs and the buffer keeps its byte when a read brings none: stray bytes
    // in even numbers are skipped, an odd number costs this attempt its "PG".
    uint8_t& byte = buffer_[0];
    do {
        port_.ReadBytes(&byte, 1);
        if (byte == kReplyP) {
            port_.ReadBytes(&byte, 1);
            if (byte == kReplyG) return true;
        } else {
            port_.ReadBytes(&byte, 1);
        }
    } while (stopwatch.ElapsedMs() <= kWakeUpReplyMs && !port_.CancelRequested());
    return false;
}

CLinkFault CRadioLink::Identify(CIdentBlock& block) {
    ClearBuffer();
    port_.PurgeRadioPort();
    Send(std::span(&kIdentify, 1));
    const std::size_t received = port_.ReadBytes(buffer_.data(), kIdentLength);
    if (received < kIdentLength)
        return {
            .kind = ELinkFault::ShortIdentBlock, .received = received, .expected = kIdentLength};
    block = buffer_;
    return {};
}

CLinkFault CRadioLink::StartAcknowledge() {
    ClearBuffer();
    port_.PurgeRadioPort();
    Send(std::span(&kAcknowledge, 1));
    return ExpectAcknowledge(ELinkFault::BadStartAcknowledge, 0);
}

CLinkFault CRadioLink::ReadBlock(CBlock block, std::span<uint8_t> destination) {
    port_.PurgeRadioPort();
    const std::array<uint8_t, 4> request{kReadRequest, static_cast<uint8_t>(block.address >> 8),
                                         static_cast<uint8_t>(block.address), block.length};
    Send(request);
    std::size_t received = port_.ReadBytes(buffer_.data(), kReadHeaderLength);
    received += port_.ReadBytes(buffer_.data(), block.length);
    // A block cut short would leave the previous block's bytes in its place.
    if (received < kReadHeaderLength + block.length)
        return {.kind = ELinkFault::ShortBlock,
                .address = block.address,
                .received = received,
                .expected = kReadHeaderLength + block.length};
    std::copy_n(buffer_.begin(), block.length, destination.begin());
    ClearBuffer();
    port_.PurgeRadioPort();
    Send(std::span(&kAcknowledge, 1));
    return ExpectAcknowledge(ELinkFault::BlockNotAcknowledged, block.address);
}

CLinkFault CRadioLink::WriteBlock(CBlock block, std::span<const uint8_t> source) {
    std::array<uint8_t, kMaxBlockLength> data{};
    std::copy_n(source.begin(), block.length, data.begin());
    ClearBuffer();
    port_.PurgeRadioPort();
    const std::array<uint8_t, 4> request{kWriteRequest, static_cast<uint8_t>(block.address >> 8),
                                         static_cast<uint8_t>(block.address), block.length};
    Send(request);
    Send(std::span(data).first(block.length));
    return ExpectAcknowledge(ELinkFault::BlockNotAcknowledged, block.address);
}

void CRadioLink::EndRead() { Send(kEndRead); }

void CRadioLink::EndWrite() { Send(kEndWrite); }

CLinkFault CRadioLink::ExpectAcknowledge(ELinkFault kind, uint16_t address) {
    const std::size_t received = port_.ReadBytes(buffer_.data(), 1);
    if (received == 1 && buffer_[0] == kAcknowledge) return {};
    return {.kind = kind, .address = address, .received = received, .reply = buffer_[0]};
}

} // namespace tarsel
