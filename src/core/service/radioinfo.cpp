#include "core/service/radioinfo.h"

#include "core/radiolink/settingsfile.h"

#include <algorithm>

namespace tarsel {

namespace {

constexpr std::size_t kVersionStart = 8;
constexpr std::size_t kVersionEnd = 15;
constexpr int32_t kTenHertzPerMhz = 100000;

} // namespace

std::string FirmwareVersionText(const CIdentBlock& block) {
    std::string text = "v";
    for (std::size_t i = kVersionStart; i < kVersionEnd && block[i] != 0xFF; ++i)
        text += std::to_string(block[i]) + ".";
    while (text.ends_with('.')) text.pop_back();
    return text;
}

bool NamesAVersion(std::string_view firmware) { return firmware.size() > 1; }

std::string LookUpPcVersion(std::string_view firmware, const std::vector<std::string>& keys,
                            const std::vector<std::string>& values) {
    const auto find = [&](std::string_view key) -> const std::string* {
        const auto count = std::min(keys.size(), values.size());
        for (std::size_t i = 0; i < count; ++i)
            if (keys[i] == key) return &values[i];
        return nullptr;
    };
    if (const std::string* value = find(firmware)) return *value;
    const std::size_t dot = firmware.find('.');
    const std::string_view major = dot == std::string_view::npos ? "" : firmware.substr(0, dot);
    if (const std::string* value = find(major)) return *value;
    return {};
}

std::string PcVersionText(std::string_view firmware, const CSettingsFile& settings) {
    std::vector<std::string> keys, values;
    settings.ReadSection("Version", keys, values);
    return LookUpPcVersion(firmware, keys, values);
}

std::array<int32_t, 4> BandLimitsMhz(const CIdentBlock& block) {
    std::array<int32_t, 4> limits{};
    for (int i = 0; i < 4; ++i)
        limits[static_cast<std::size_t>(i)] = IdentLimit(block, i) / kTenHertzPerMhz;
    return limits;
}

} // namespace tarsel
