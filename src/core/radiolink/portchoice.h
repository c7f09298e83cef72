// The port dialog ("端口设置") without its window: which of COM1..COM16 open, which is the current
// one, and what confirming a choice stores.
#pragma once

#include "core/radiolink/causewords.h"
#include "core/radiolink/serialport.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarsel {

class CSettingsFile;

inline constexpr int kPortChoices = 16;

struct CPortChoice {
    std::string name;    // "COM1" .. "\\.\COM16"
    std::string device;  // the device behind it on this system; empty when none
    std::string adapter; // the USB adapter's name where the system knows it
    bool available = false;
};

struct CPortDialogFields {
    std::array<CPortChoice, kPortChoices> ports;
    int selected = 0; // port number 1..16, 0 for none
};

// Probes each port by opening it exclusively and closing it at once; a port held by another
// program (or by a running exchange) shows as unavailable. The current port is selected only when
// it opens too.
CPortDialogFields LoadPortDialog(CSerialPort& port, const CSettingsFile* settings,
                                 const std::string& currentPortName);

// The names of the ports that opened, COM1 first: the ones to program when all are wanted.
std::vector<std::string> AvailablePortNames(const CPortDialogFields& fields);

// "确定": with a port selected, the port name follows it and "COM" in section "Setup" is written;
// with none, nothing changes.
void StorePortDialog(int selected, CSettingsFile& settings, std::string& portName);

// When no port opens at all: that no programming cable was found and what to check (the cable,
// the dialout group, the device paths tried). Empty when some port opens.
std::string DescribeNoCable(const CPortDialogFields& fields);

// The device paths looked at when no port opens, COM1's first; nullopt when some port opens.
std::optional<std::vector<std::string>> NoCableDevices(const CPortDialogFields& fields);
// When no port opens: that no programming cable was found, where it was looked for and what to
// check, in short lines. An empty text when some port opens.
CWords NoCableWords(const CPortDialogFields& fields);

// A list of devices as a person reads it: runs of consecutive numbers of one name shortened,
// "/dev/ttyUSB0–7, /dev/ttyACM0–7".
std::string SummariseDevices(const std::vector<std::string>& devices);

// What a button says: "COM1  /dev/ttyUSB0  (USB-Serial Controller)".
std::string PortCaption(const CPortChoice& choice);

// The product name of the USB device behind a tty device, from sysfs; empty when not known.
// sysRoot is "/sys" except in tests.
std::string UsbAdapterName(const std::string& device,
                           const std::filesystem::path& sysRoot = "/sys");

} // namespace tarsel
