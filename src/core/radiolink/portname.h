// Port names as the user and the settings file know them ("COM3", "\\.\COM12"), and the device
// behind a name on this system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

class CSettingsFile;

// "COM%d" up to 9, the device-namespace form "\\.\COM%d" from 10 on; 0 gives "COM0".
std::string PortNameFromNumber(int number);

// The number in a port name, read as sscanf(name, "%*[^M]M%d") reads it: at least one character
// before the first 'M', then a decimal number (white space and a sign allowed). Nothing when
// sscanf would not assign it. Numbers beyond the int range saturate.
std::optional<int> PortNumberFromName(std::string_view name);

// The device file behind a port name. A name starting with "/" is a device path already. Otherwise
// the name must be "COMn" or "\\.\COMn" (letters in any case) with n >= 1: section "Ports" of the
// settings file may map "COMn=PATH" (a bare name such as "ttyS0" is looked for in /dev), else
// COM1..COM8 are /dev/ttyUSB0..7 and COM9..COM16 /dev/ttyACM0..7. Nothing for anything else.
std::optional<std::string> ResolvePortDevice(std::string_view portName,
                                             const CSettingsFile* settings);

} // namespace tarsel
