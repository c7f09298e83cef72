// The host side of a read against whatever a radio might answer. Every write of the host takes its
// reply from the input: a control byte (bit 7: no reply; bits 0-3: delay in steps of 20 ms), then
// either (bit 6) the reply a sound radio would give, or a length and that many reply bytes. Time is
// virtual, so time-outs cost nothing; the run must end within the time the time-outs allow, and a
// read that did not complete must leave the image as it was.
#include "../core/fakeport.h"
#include "../core/testimage.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace tarsel;
using Bytes = std::vector<uint8_t>;

namespace {

// The longest an exchange may take when every read runs into its time-outs: four wake-up
// attempts, the identification, the start acknowledge, then every block with its acknowledge,
// all read byte by byte at the slowest pace the time-outs allow.
constexpr std::int64_t kWorstCaseUs =
    (4 * (8 + 100 + 2 * 150) + 1700 + 150 + 389 * (300 + 1700 + 150)) * 1000 + 10'000'000;

// Whatever is left of the input, up to `wanted` bytes, padded to `size` with 0xFF.
Bytes Take(const uint8_t*& at, const uint8_t* end, std::size_t wanted, std::size_t size = 0) {
    Bytes bytes(at, at + std::min<std::size_t>(wanted, end - at));
    at += bytes.size();
    if (bytes.size() < size) bytes.resize(size, 0xFF);
    return bytes;
}

Bytes SoundReply(const Bytes& written, const uint8_t*& at, const uint8_t* end) {
    if (written == Bytes{'M'}) return {'P', 'G'};
    if (written == Bytes{0x02}) return Take(at, end, 32, 32);
    if (written.size() != 4 || written[0] != 'R') return {0x41};
    // Data from one input byte, so that a whole read fits in a short input.
    Bytes reply{'W', written[1], written[2], written[3]};
    const uint8_t seed = Take(at, end, 1, 1)[0];
    for (uint8_t i = 0; i < written[3]; ++i) reply.push_back(static_cast<uint8_t>(seed + i));
    return reply;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const uint8_t* at = data + 1;
    const uint8_t* const end = data + size;
    test::CFakePort port;
    port.onWrite = [&](const Bytes& written) {
        if (at == end) return;
        const uint8_t control = *at++;
        const std::int64_t delayUs = (control & 0x0F) * 20'000;
        if (control & 0x80) return;
        if (control & 0x40) return port.Reply(SoundReply(written, at, end), delayUs);
        const std::size_t wanted = at == end ? 0 : *at++;
        port.Reply(Take(at, end, wanted), delayUs);
    };

    // On the heap, so that a write past the image is caught.
    auto image = std::make_unique<CMemoryImage>();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) (*image)[i] = static_cast<uint8_t>(i * 7);
    const auto before = std::make_unique<CMemoryImage>(*image);
    CIdentBlock ident{};
    ident.fill(0xA5);

    const int job = data[0] % 3;
    const CExchangeResult result = job == 0 ? ReadRadio(port, "COM1", *image)
                                   : job == 1
                                       ? ReadRegion(port, "COM1", map::kCalibrationRange, *image)
                                       : ReadRadioInformation(port, "COM1", ident);
    const std::span<const map::CRange> changeable[] = {
        map::kCloneRanges, std::span(&map::kCalibrationRange, 1), {}};
    if (job == 2 && !result.Done() && ident[0] != 0xA5) std::abort();
    if (port.nowUs > kWorstCaseUs || port.IsOpen()) std::abort();
    if (!result.Done() && (!(*image == *before) || DescribeCause(result).empty())) std::abort();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        if (!test::InRanges(i, changeable[job]) && (*image)[i] != (*before)[i]) std::abort();
    return 0;
}
