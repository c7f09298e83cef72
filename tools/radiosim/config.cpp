#include "radiosim/config.h"

#include <algorithm>

namespace radiosim {

std::array<uint8_t, 4> PackBcd(uint32_t value) {
    std::array<uint8_t, 4> packed{};
    for (uint8_t& byte : packed) {
        const unsigned pair = value % 100;
        byte = static_cast<uint8_t>((pair / 10) << 4 | pair % 10);
        value /= 100;
    }
    return packed;
}

std::array<uint8_t, kIdentLength> BuildIdentBlock(const CConfig& config) {
    std::array<uint8_t, kIdentLength> block{};
    auto out = block.begin();

    std::fill_n(out, 8, config.modelPad);
    std::copy_n(config.model.begin(), std::min<std::size_t>(config.model.size(), 8), out);
    out += 8;

    std::fill_n(out, 7, 0xFF);
    std::copy_n(config.firmware.begin(), std::min<std::size_t>(config.firmware.size(), 7), out);
    out += 7;

    *out++ = config.variant;
    for (uint32_t limit :
         {config.bandA.low, config.bandA.high, config.bandB.low, config.bandB.high}) {
        const auto packed = PackBcd(limit);
        out = std::copy(packed.begin(), packed.end(), out);
    }
    return block;
}

} // namespace radiosim
