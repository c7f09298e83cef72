// The host side of a read against whatever a radio might answer. Every write of the host takes its
// reply from the input: a control byte (bit 7: no reply; bits 0-3: delay in steps of 20 ms), then
// either (bit 6) the reply a sound radio would give, or a length and that many reply bytes. Time is
// virtual, so time-outs cost nothing; the run must end within the time the time-outs allow, and a
// read that did not complete must leave the image as it was.
#include "../core/fakeport.h"
#include "core/radiolink/servicelink.h"
#include "core/radiolink/transfer.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace tarsel;

class CScript {
public:
    CScript(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    void OnWrite(test::CFakePort& port, const std::vector<uint8_t>& written) {
        if (at_ >= size_) return;
        const uint8_t control = data_[at_++];
        const std::int64_t delayUs = (control & 0x0F) * 20'000;
        if (control & 0x80) return;
        if (control & 0x40) return port.Reply(SoundReply(written), delayUs);
        if (at_ >= size_) return;
        const std::size_t wanted = data_[at_++];
        port.Reply(Take(wanted), delayUs);
    }

private:
    std::vector<uint8_t> Take(std::size_t wanted) {
        const std::size_t length = std::min(wanted, size_ - at_);
        std::vector<uint8_t> bytes(data_ + at_, data_ + at_ + length);
        at_ += length;
        return bytes;
    }

    std::vector<uint8_t> SoundReply(const std::vector<uint8_t>& written) {
        if (written == std::vector<uint8_t>{'M'}) return {'P', 'G'};
        if (written == std::vector<uint8_t>{0x02}) return Padded(Take(32), 32);
        if (written.size() == 4 && written[0] == 'R') {
            // Data from one input byte, so that a whole read fits in a short input.
            std::vector<uint8_t> reply{'W', written[1], written[2], written[3]};
            const auto seed = Take(1);
            for (uint8_t i = 0; i < written[3]; ++i)
                reply.push_back(static_cast<uint8_t>((seed.empty() ? 0 : seed[0]) + i));
            return reply;
        }
        return {0x41};
    }

    static std::vector<uint8_t> Padded(std::vector<uint8_t> bytes, std::size_t size) {
        bytes.resize(size, 0xFF);
        return bytes;
    }

    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The longest an exchange may take when every read runs into its time-outs: four wake-up
// attempts, the identification, the start acknowledge, then every block with its acknowledge,
// all read byte by byte at the slowest pace the time-outs allow.
constexpr std::int64_t kWorstCaseUs =
    (4 * (8 + 100 + 2 * 150) + 1700 + 150 + 389 * (300 + 1700 + 150)) * 1000 + 10'000'000;

bool SameOutside(const CMemoryImage& a, const CMemoryImage& b, std::span<const map::CRange> in) {
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        bool inside = false;
        for (const map::CRange& r : in) inside |= i >= r.start && i < r.end;
        if (!inside && a[i] != b[i]) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int job = data[0] % 3;
    CScript script(data + 1, size - 1);
    test::CFakePort port;
    port.onWrite = [&](const std::vector<uint8_t>& written) { script.OnWrite(port, written); };

    // On the heap, so that a write past the image is caught.
    auto image = std::make_unique<CMemoryImage>();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) (*image)[i] = static_cast<uint8_t>(i * 7);
    const auto before = std::make_unique<CMemoryImage>(*image);
    CIdentBlock ident{};
    ident.fill(0xA5);

    CExchangeResult result;
    std::span<const map::CRange> changeable;
    if (job == 0) {
        result = ReadRadio(port, "COM1", *image);
        changeable = map::kCloneRanges;
    } else if (job == 1) {
        result = ReadRegion(port, "COM1", map::kCalibrationRange, *image);
        changeable = std::span(&map::kCalibrationRange, 1);
    } else {
        result = ReadRadioInformation(port, "COM1", ident);
        if (!result.Done() && ident[0] != 0xA5) std::abort();
    }

    if (port.nowUs > kWorstCaseUs || port.IsOpen()) std::abort();
    if (!result.Done() && !(*image == *before)) std::abort();
    if (!SameOutside(*image, *before, changeable)) std::abort();
    if (!result.Done() && (DescribeCause(result).empty())) std::abort();
    return 0;
}
