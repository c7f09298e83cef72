#include "core/radiolink/portchoice.h"
#include "core/radiolink/portname.h"

#include "core/radiolink/settingsfile.h"
#include "fakeport.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <set>

namespace tarsel {
namespace {

// Opens only the port names it is given.
class CProbePort : public test::CFakePort {
public:
    std::set<std::string> present;
    int opens = 0, closes = 0;
    COpenResult OpenRadioPort(std::string_view name) override {
        ++opens;
        openResult.failure =
            present.count(std::string(name)) ? EOpenFailure::None : EOpenFailure::HeldElsewhere;
        return CFakePort::OpenRadioPort(name);
    }
    void CloseRadioPort() override { ++closes, CFakePort::CloseRadioPort(); }
};

TEST(PortChoice, ProbesEveryPortAndSelectsTheCurrentOneWhenItOpens) {
    struct Case {
        std::set<std::string> present;
        std::string current;
        int selected;
    };
    const Case cases[] = {
        {{"COM3", "\\\\.\\COM12"}, "COM3", 3},
        {{"COM3", "\\\\.\\COM12"}, "\\\\.\\COM12", 12},
        {{"COM3"}, "COM4", 0},           // the current port is unavailable: none selected
        {{"COM3", "COM17"}, "COM17", 0}, // beyond the 16 buttons
        {{"COM3"}, "COM0", 0},
        {{}, "COM3", 0}, // no cable: said plainly
    };
    for (const auto& c : cases) {
        CProbePort port;
        port.present = c.present;
        const CPortDialogFields fields = LoadPortDialog(port, nullptr, c.current);
        EXPECT_EQ(fields.selected, c.selected) << c.current;
        std::vector<std::string> available(c.present.begin(), c.present.end());
        std::erase(available, "COM17");
        EXPECT_EQ(AvailablePortNames(fields), available);
        EXPECT_EQ(fields.ports[9].name, "\\\\.\\COM10");
        EXPECT_EQ(port.closes, port.opens) << "every probe closes at once";
        EXPECT_FALSE(port.IsOpen());
        const std::string cause = DescribeNoCable(fields);
        if (!c.present.empty()) {
            EXPECT_EQ(cause, "");
            continue;
        }
        // Names the devices tried and the three things to check.
        for (const char* part : {"no programming cable found", "/dev/ttyUSB0", "/dev/ttyACM7",
                                 "plugged in", "dialout", "\"Ports\""})
            EXPECT_NE(cause.find(part), std::string::npos) << part << " in " << cause;
    }
}

TEST(PortChoice, DeviceListsShortenRunsOfNumbers) {
    using V = std::vector<std::string>;
    const std::pair<V, std::string> cases[] = {
        {{}, ""},
        {{"/dev/ttyUSB0"}, "/dev/ttyUSB0"},
        {{"/dev/ttyUSB0", "/dev/ttyUSB1"}, "/dev/ttyUSB0, /dev/ttyUSB1"},
        {{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyACM0", "/dev/ttyACM1",
          "/dev/ttyACM2", "/dev/ttyACM3"},
         "/dev/ttyUSB0\u20132, /dev/ttyACM0\u20133"},
        // A gap, a mapped path between runs, a name without a number, a number too long.
        {{"/dev/ttyUSB1", "/dev/ttyUSB3", "/dev/ttyUSB4", "/dev/ttyUSB5", "/tmp/radio",
          "/dev/ttyS10", "/dev/ttyS11", "/dev/ttyS12", "/dev/x1234567", "/dev/x1234568"},
         "/dev/ttyUSB1, /dev/ttyUSB3\u20135, /tmp/radio, /dev/ttyS10\u201312, /dev/x1234567, "
         "/dev/x1234568"},
    };
    for (const auto& [devices, expected] : cases) EXPECT_EQ(SummariseDevices(devices), expected);
}

TEST(PortChoice, ConfirmStoresOnlyWithAChoice) {
    test::CTempDir dir;
    CSettingsFile settings(dir / "Program.ini");
    std::string portName = "COM3";
    StorePortDialog(0, settings, portName);
    EXPECT_EQ(portName, "COM3");
    EXPECT_EQ(settings.ReadInteger("Setup", "COM", -1), -1);
    StorePortDialog(10, settings, portName);
    EXPECT_EQ(portName, "\\\\.\\COM10");
    EXPECT_EQ(settings.ReadInteger("Setup", "COM", -1), 10);
    StorePortDialog(9, settings, portName);
    EXPECT_EQ(portName, "COM9");
}

TEST(PortChoice, CaptionsNameTheDeviceAndTheAdapter) {
    EXPECT_EQ(PortCaption({"COM1", "/dev/ttyUSB0", "FTDI FT232R USB UART", true}),
              "COM1  /dev/ttyUSB0  (FTDI FT232R USB UART)");
    EXPECT_EQ(PortCaption({"\\\\.\\COM12", "/dev/ttyACM3", "", false}), "COM12  /dev/ttyACM3");
    EXPECT_EQ(PortCaption({"COM5", "", "", false}), "COM5");

    // A sysfs tree as the kernel lays out a USB serial adapter.
    test::CTempDir sys;
    const auto usb = sys / "devices" / "usb1" / "1-1";
    std::filesystem::create_directories(usb / "1-1:1.0" / "ttyUSB0");
    std::ofstream(usb / "product") << "USB-Serial Controller\n";
    std::ofstream(usb / "manufacturer") << "Prolific Technology Inc.\n";
    std::filesystem::create_directories(sys / "class" / "tty" / "ttyUSB0");
    std::filesystem::create_directory_symlink(usb / "1-1:1.0" / "ttyUSB0",
                                              sys / "class" / "tty" / "ttyUSB0" / "device");
    EXPECT_EQ(UsbAdapterName("/dev/ttyUSB0", sys.Path()),
              "Prolific Technology Inc. USB-Serial Controller");
    EXPECT_EQ(UsbAdapterName("/dev/ttyUSB1", sys.Path()), "");
}

TEST(PortNameTest, ReadsTheNumberBackAsSscanfDoes) {
    const char* names[] = {"\\\\.\\COM12", "COM3",         "COM0",   "COM",     "M5",   "",
                           "XYZ",          "COM -3",       "COM\t7", "COM3x",   "COMx", "COM+4",
                           "/dev/ttyUSB0", "/dev/ttyAMA0", "xMM2",   "aM 12 M3"};
    for (const char* name : names) {
        int number = 0;
        const bool assigned = std::sscanf(name, "%*[^M]M%d", &number) == 1;
        const auto ours = PortNumberFromName(name);
        ASSERT_EQ(ours.has_value(), assigned) << name;
        if (assigned) EXPECT_EQ(*ours, number) << name;
    }
    EXPECT_EQ(PortNumberFromName("COM99999999999"), INT_MAX);
    EXPECT_EQ(PortNumberFromName(std::string_view("CO\0M3", 5)), std::nullopt);
}

// The names the dialog forms from the numbers, and what they and others resolve to.
TEST(PortNameTest, ResolvesNamesToDevices) {
    const int no = -1; // not a name the dialog forms
    struct Case {
        const char* name;
        std::optional<std::string> device;
        int number;
    } cases[] = {
        {"COM1", "/dev/ttyUSB0", 1},              {"COM8", "/dev/ttyUSB7", 8},
        {"COM9", "/dev/ttyACM0", 9},              {"\\\\.\\COM10", "/dev/ttyACM1", 10},
        {"\\\\.\\COM16", "/dev/ttyACM7", 16},     {"com3", "/dev/ttyUSB2", no},
        {"/dev/pts/3", "/dev/pts/3", no},         {"COM0", std::nullopt, 0},
        {"\\\\.\\COM17", std::nullopt, no},       {"COM17", std::nullopt, no},
        {"COM-1", std::nullopt, no},              {"COM3x", std::nullopt, no},
        {"junk", std::nullopt, no},               {"", std::nullopt, no},
        {"ttyUSB0", std::nullopt, no},            {"CXM1", std::nullopt, no},
        {"COX1", std::nullopt, no},               {"XOM1", std::nullopt, no},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolvePortDevice(c.name, nullptr), c.device) << c.name;
        if (c.number == no) continue;
        EXPECT_EQ(PortNameFromNumber(c.number), c.name);
        EXPECT_EQ(PortNumberFromName(c.name), c.number) << c.name;
    }
}

TEST(PortNameTest, SettingsMapPortsToDevices) {
    test::CTempDir dir;
    std::ofstream(dir / "Program.ini")
        << "[Ports]\r\nCOM3=/dev/ttyS0\r\ncom17 = ttyS1\r\nCOM0=/dev/ttyS9\r\n";
    const CSettingsFile settings(dir / "Program.ini");
    EXPECT_EQ(ResolvePortDevice("COM3", &settings), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortDevice("\\\\.\\COM17", &settings), "/dev/ttyS1");
    EXPECT_EQ(ResolvePortDevice("COM4", &settings), "/dev/ttyUSB3");
    // COM0 is what a missing port setting reads as: it never opens anything.
    EXPECT_EQ(ResolvePortDevice("COM0", &settings), std::nullopt);
}

} // namespace
} // namespace tarsel
