#include "core/radiolink/portname.h"

#include "core/radiolink/settingsfile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;

TEST(PortNameTest, FormsTheNameFromTheNumber) {
    struct Case {
        int number;
        const char* name;
    } cases[] = {{0, "COM0"},          {1, "COM1"},          {9, "COM9"},
                 {10, "\\\\.\\COM10"}, {16, "\\\\.\\COM16"}, {123, "\\\\.\\COM123"}};
    for (const Case& c : cases) {
        EXPECT_EQ(PortNameFromNumber(c.number), c.name);
        EXPECT_EQ(PortNumberFromName(c.name), c.number) << c.name;
    }
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
        if (assigned) {
            EXPECT_EQ(*ours, number) << name;
        }
    }
    EXPECT_EQ(PortNumberFromName("COM99999999999"), INT_MAX);
    EXPECT_EQ(PortNumberFromName(std::string_view("CO\0M3", 5)), std::nullopt);
}

TEST(PortNameTest, ResolvesNamesToDevices) {
    struct Case {
        const char* name;
        std::optional<std::string> device;
    } cases[] = {
        {"COM1", "/dev/ttyUSB0"},         {"COM8", "/dev/ttyUSB7"},
        {"COM9", "/dev/ttyACM0"},         {"\\\\.\\COM10", "/dev/ttyACM1"},
        {"\\\\.\\COM16", "/dev/ttyACM7"}, {"com3", "/dev/ttyUSB2"},
        {"/dev/pts/3", "/dev/pts/3"},     {"COM0", std::nullopt},
        {"\\\\.\\COM17", std::nullopt},   {"COM17", std::nullopt},
        {"COM-1", std::nullopt},          {"COM3x", std::nullopt},
        {"junk", std::nullopt},           {"", std::nullopt},
        {"ttyUSB0", std::nullopt},        {"CXM1", std::nullopt},
        {"COX1", std::nullopt},           {"XOM1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ResolvePortDevice(c.name, nullptr), c.device) << c.name;
}

TEST(PortNameTest, SettingsMapPortsToDevices) {
    const fs::path path =
        fs::temp_directory_path() / ("tarsel-ports-" + std::to_string(::getpid()));
    std::ofstream(path) << "[Ports]\r\nCOM3=/dev/ttyS0\r\ncom17 = ttyS1\r\nCOM0=/dev/ttyS9\r\n";
    const CSettingsFile settings(path);
    EXPECT_EQ(ResolvePortDevice("COM3", &settings), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortDevice("\\\\.\\COM17", &settings), "/dev/ttyS1");
    EXPECT_EQ(ResolvePortDevice("COM4", &settings), "/dev/ttyUSB3");
    // COM0 is what a missing port setting reads as: it never opens anything.
    EXPECT_EQ(ResolvePortDevice("COM0", &settings), std::nullopt);
    fs::remove(path);
}

} // namespace
} // namespace tarsel
