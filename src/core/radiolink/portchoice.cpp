#include "core/radiolink/portchoice.h"

#include "core/radiolink/portname.h"
#include "core/radiolink/settingsfile.h"

#include <cctype>
#include <fstream>
#include <system_error>

namespace tarsel {

namespace {

// On one line: the translation sources are collected line by line.
// clang-format off
constexpr const char* kNoCable = "未找到写频线。\n%1\n请检查：\n• 写频线是否插好；\n• 您的用户是否在 dialout 组中（加入后请重新登录）；\n• 设置文件“Ports”一节中的设备路径。";
// clang-format on

std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

} // namespace

CPortDialogFields LoadPortDialog(CSerialPort& port, const CSettingsFile* settings,
                                 const std::string& currentPortName) {
    CPortDialogFields fields;
    for (int number = 1; number <= kPortChoices; ++number) {
        CPortChoice& choice = fields.ports[static_cast<std::size_t>(number - 1)];
        choice.name = PortNameFromNumber(number);
        choice.device = ResolvePortDevice(choice.name, settings).value_or("");
        choice.adapter = choice.device.empty() ? std::string() : UsbAdapterName(choice.device);
        choice.available = port.OpenRadioPort(choice.name).Succeeded();
        port.CloseRadioPort();
    }
    if (port.OpenRadioPort(currentPortName).Succeeded()) {
        const auto number = PortNumberFromName(currentPortName);
        if (number && *number >= 1 && *number <= kPortChoices) fields.selected = *number;
    }
    port.CloseRadioPort();
    return fields;
}

std::vector<std::string> AvailablePortNames(const CPortDialogFields& fields) {
    std::vector<std::string> names;
    for (const CPortChoice& choice : fields.ports)
        if (choice.available) names.push_back(choice.name);
    return names;
}

void StorePortDialog(int selected, CSettingsFile& settings, std::string& portName) {
    if (selected < 1 || selected > kPortChoices) return;
    portName = PortNameFromNumber(selected);
    settings.WriteInteger("Setup", "COM", selected);
}

std::optional<std::vector<std::string>> NoCableDevices(const CPortDialogFields& fields) {
    std::vector<std::string> tried;
    for (const CPortChoice& choice : fields.ports) {
        if (choice.available) return std::nullopt;
        if (!choice.device.empty()) tried.push_back(choice.device);
    }
    return tried;
}

std::string DescribeNoCable(const CPortDialogFields& fields) {
    const auto devices = NoCableDevices(fields);
    if (!devices) return {};
    std::string tried;
    for (const std::string& device : *devices) tried += (tried.empty() ? "" : ", ") + device;
    return "no programming cable found (tried " + (tried.empty() ? "no device" : tried) +
           "): check that the cable is plugged in, that your user is in the dialout group (log "
           "in again after adding it), and the device paths in section \"Ports\" of the "
           "settings file";
}

std::string SummariseDevices(const std::vector<std::string>& devices) {
    // Each device as its name and trailing number (-1 when it has none).
    const auto split = [](const std::string& device) {
        std::size_t digits = device.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(device[digits - 1]))) --digits;
        // Too many digits to be a device number: the whole path is the name.
        if (digits == device.size() || device.size() - digits > 6) return std::pair{device, -1};
        return std::pair{device.substr(0, digits), std::stoi(device.substr(digits))};
    };
    std::string text;
    for (std::size_t i = 0; i < devices.size();) {
        const auto [name, first] = split(devices[i]);
        std::size_t j = i + 1;
        int last = first;
        while (first >= 0 && j < devices.size() && split(devices[j]) == std::pair{name, last + 1}) {
            ++last;
            ++j;
        }
        if (!text.empty()) text += ", ";
        text += devices[i];
        // Two in a row read better as a pair than as a range.
        if (last == first + 1) text += ", " + devices[j - 1];
        if (last > first + 1) text += "\u2013" + std::to_string(last);
        i = j;
    }
    return text;
}

std::string PortCaption(const CPortChoice& choice) {
    std::string caption = choice.name;
    // The device-namespace prefix means nothing to a user here.
    if (caption.rfind("\\\\.\\", 0) == 0) caption.erase(0, 4);
    if (!choice.device.empty()) caption += "  " + choice.device;
    if (!choice.adapter.empty()) caption += "  (" + choice.adapter + ")";
    return caption;
}

std::string UsbAdapterName(const std::string& device, const std::filesystem::path& sysRoot) {
    const std::filesystem::path name = std::filesystem::path(device).filename();
    if (name.empty()) return {};
    std::error_code error;
    // /sys/class/tty/NAME/device is the serial interface; the USB device with its product and
    // manufacturer files is one or two folders up.
    auto at = std::filesystem::canonical(sysRoot / "class" / "tty" / name / "device", error);
    if (error) return {};
    for (int up = 0; up < 3 && !at.empty(); ++up, at = at.parent_path()) {
        const std::string product = FirstLine(at / "product");
        if (product.empty()) continue;
        const std::string maker = FirstLine(at / "manufacturer");
        return maker.empty() ? product : maker + " " + product;
    }
    return {};
}

CWords NoCableWords(const CPortDialogFields& fields) {
    const auto tried = NoCableDevices(fields);
    if (!tried) return {};
    return {kNoCable,
            {tried->empty() ? CWords{"没有可查找的设备。", {}}
                            : CWords{"查找了 %1。", {CWords{SummariseDevices(*tried), {}, true}}}}};
}

} // namespace tarsel
