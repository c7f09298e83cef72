// The host side of a read against whatever a radio might answer. Each write of the host takes its
// reply from the input: a control byte (bit 7: no reply; bits 0-3: a delay in 20 ms steps), then
// either (bit 6) the reply of a sound radio, or a length and that many bytes. Time is virtual; the
// run must end within what the time-outs allow, and a failed read leaves the image as it was.
#include "../core/fakeport.h"
#include "../core/testimage.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"

#include <cstdlib>
#include <memory>

using namespace tarsel;
using Bytes = std::vector<uint8_t>;

namespace {

// Four wake-up attempts, the identification, the start acknowledge, then every block with its
// acknowledge, each read running into its time-outs byte by byte.
constexpr std::int64_t kWorstCaseUs =
    (4 * (8 + 100 + 2 * 150) + 1700 + 150 + 389 * (300 + 1700 + 150)) * 1000 + 10'000'000;

// What is left of the input, up to `wanted` bytes, padded to `size` with 0xFF.
Bytes Take(const uint8_t*& at, const uint8_t* end, std::size_t wanted, std::size_t size = 0) {
    Bytes bytes(at, at + std::min<std::size_t>(wanted, end - at));
    at += bytes.size();
    bytes.resize(std::max(size, bytes.size()), 0xFF);
    return bytes;
}

// A block's data grows from one input byte, so that a whole read fits in a short input.
Bytes SoundReply(const Bytes& written, const uint8_t*& at, const uint8_t* end) {
    if (written == Bytes{'M'}) return {'P', 'G'};
    if (written == Bytes{0x02}) return Take(at, end, 32, 32);
    if (written.size() != 4 || written[0] != 'R') return {0x41};
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
        const uint8_t control = Take(at, end, 1, 1)[0];
        const std::int64_t delayUs = (control & 0x0F) * 20'000;
        if (control & 0x80) return;
        if (control & 0x40) return port.Reply(SoundReply(written, at, end), delayUs);
        port.Reply(Take(at, end, Take(at, end, 1, 1)[0]), delayUs);
    };

    // On the heap, so that a write past the image is caught.
    const auto image = std::make_unique<CMemoryImage>(test::RandomImage(1));
    const CMemoryImage before = *image;
    CIdentBlock ident{};
    ident.fill(0xA5);
    const int job = data[0] % 3;
    const CExchangeResult result = job == 0 ? ReadRadio(port, "COM1", *image)
                                   : job == 1
                                       ? ReadRegion(port, "COM1", map::kCalibrationRange, *image)
                                       : ReadRadioInformation(port, "COM1", ident);
    const std::span<const map::CRange> changeable[] = {
        map::kCloneRanges, std::span(&map::kCalibrationRange, 1), {}};
    if (port.nowUs > kWorstCaseUs || port.IsOpen()) std::abort();
    if (!result.Done() &&
        (*image != before || DescribeCause(result).empty() || (job == 2 && ident[0] != 0xA5)))
        std::abort();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        if (!test::InRanges(i, changeable[job]) && (*image)[i] != before[i]) std::abort();
    return 0;
}
