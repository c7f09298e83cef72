// What the radio information window shows of an identification block.
#pragma once

#include "core/radiolink/protocol.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

class CSettingsFile;

// "v" and the version bytes 8..14 up to the first 0xFF, each in decimal followed by ".", with the
// trailing dots removed: "v1.2.3". A block without version bytes gives the bare "v".
std::string FirmwareVersionText(const CIdentBlock& block);

// Whether the firmware text names a version; the field keeps what it showed when not.
bool NamesAVersion(std::string_view firmware);

// The programming-software version for a firmware text from a table of keys and values: the value
// under the whole text, else under its major version (the text before its first "."; empty when
// there is no "."), else empty. The first entry of a key counts.
std::string LookUpPcVersion(std::string_view firmware, const std::vector<std::string>& keys,
                            const std::vector<std::string>& values);
// The same with section "Version" of the settings file.
std::string PcVersionText(std::string_view firmware, const CSettingsFile& settings);

// A low, A high, B low, B high in whole MHz (truncated toward zero, signed).
std::array<int32_t, 4> BandLimitsMhz(const CIdentBlock& block);

} // namespace tarsel
