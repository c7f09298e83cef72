#include "core/radiolink/portname.h"

#include "core/radiolink/settingsfile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace tarsel {

namespace {

constexpr std::string_view kDeviceNamespace = "\\\\.\\";

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "COMn" with n made of digits only; the number, or nothing.
std::optional<int> StrictComNumber(std::string_view name) {
    if (name.substr(0, kDeviceNamespace.size()) == kDeviceNamespace)
        name.remove_prefix(kDeviceNamespace.size());
    if (name.size() < 4 || name.size() > 12) return std::nullopt;
    if (LowerAscii(name[0]) != 'c' || LowerAscii(name[1]) != 'o' || LowerAscii(name[2]) != 'm')
        return std::nullopt;
    int number = 0;
    for (const char c : name.substr(3)) {
        if (c < '0' || c > '9') return std::nullopt;
        if (number > 99'999'999) return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace

std::string PortNameFromNumber(int number) {
    char name[32];
    if (number <= 9)
        std::snprintf(name, sizeof name, "COM%d", number);
    else
        std::snprintf(name, sizeof name, "\\\\.\\COM%d", number);
    return name;
}

std::optional<int> PortNumberFromName(std::string_view name) {
    // A C string ends at its first NUL.
    name = name.substr(0, name.find('\0'));
    const std::size_t m = name.find('M');
    if (m == 0 || m == std::string_view::npos) return std::nullopt;
    std::size_t pos = m + 1;
    while (pos < name.size() && IsScanSpace(name[pos])) ++pos;
    bool negative = false;
    if (pos < name.size() && (name[pos] == '+' || name[pos] == '-')) negative = name[pos++] == '-';
    constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
    std::int64_t value = 0;
    bool any = false;
    for (; pos < name.size() && name[pos] >= '0' && name[pos] <= '9'; ++pos) {
        any = true;
        value = std::min<std::int64_t>(value * 10 + (name[pos] - '0'), kLimit + 1);
    }
    if (!any) return std::nullopt;
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(std::min(value, kLimit));
}

std::optional<std::string> ResolvePortDevice(std::string_view portName,
                                             const CSettingsFile* settings) {
    if (portName.find('\0') != std::string_view::npos) return std::nullopt;
    if (!portName.empty() && portName.front() == '/') return std::string(portName);
    const auto number = StrictComNumber(portName);
    // COM0 is what a missing "COM" setting gives; it must never open anything.
    if (!number || *number < 1) return std::nullopt;

    if (settings) {
        std::string mapped = settings->ReadText("Ports", "COM" + std::to_string(*number));
        if (!mapped.empty()) {
            if (mapped.front() != '/') mapped.insert(0, "/dev/");
            return mapped;
        }
    }
    if (*number <= 8) return "/dev/ttyUSB" + std::to_string(*number - 1);
    if (*number <= 16) return "/dev/ttyACM" + std::to_string(*number - 9);
    return std::nullopt;
}

} // namespace tarsel
