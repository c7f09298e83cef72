// The files the program keeps (where they are found, the settings file, the automatic backups) and
// the ports it offers.
#include "core/image/datafile.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/portchoice.h"
#include "core/radiolink/portname.h"
#include "core/radiolink/programfolder.h"
#include "core/radiolink/settingsfile.h"

#include "fakeport.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <set>

#include <pwd.h>
#include <unistd.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;

TEST(ProgramFiles, WhereEachKindOfProgramLooks) {
    struct Case {
        const char* name;
        CProgramPlace place;
        std::vector<fs::path> folders;
        fs::path settings, seed;
    } cases[] = {
        {"build folder", {"/b/bin", true, {}, "/h/.config"}, {"/b/bin"}, "/b/bin/Program.ini", {}},
        // Root may write /usr/bin, yet an installation is never written into.
        {"installed, run by root", {"/usr/bin", true, "/usr/share/tarsel", "/root/.config"},
         {"/root/.config/tarsel", "/usr/share/tarsel"}, "/root/.config/tarsel/Program.ini",
         "/usr/share/tarsel/Program.ini"},
        {"read-only copy, not installed", {"/opt/t", false, {}, "/h/.config"},
         {"/h/.config/tarsel", "/opt/t"}, "/h/.config/tarsel/Program.ini", "/opt/t/Program.ini"},
        {"read-only, no home", {"/opt/t", false, {}, {}}, {"/opt/t"}, "/opt/t/Program.ini", {}},
    };
    for (const Case& c : cases) {
        const CProgramFiles files = LocateProgramFiles(c.place);
        EXPECT_EQ(files.folders, c.folders) << c.name;
        EXPECT_EQ(files.settings, c.settings) << c.name;
        EXPECT_EQ(files.settingsSeed, c.seed) << c.name;
    }
    // A test program runs from its build folder.
    const CProgramPlace place = ThisProgramPlace();
    EXPECT_EQ(fs::weakly_canonical(place.exeFolder), fs::weakly_canonical(TARSEL_BIN_DIR));
    EXPECT_TRUE(place.sharedFolder.empty()) << place.sharedFolder;
}

// Settings start as a copy of the shipped file; any other file is looked for in the user's folder
// first, then where the program was installed.
TEST(ProgramFiles, TheUsersFileComesFirstThenTheShippedOne) {
    CTempDir home, shared;
    std::ofstream(shared / "Program.ini") << "[Setup]\nType=TZ-316\n[About]\nVersion=1\n";
    const CProgramFiles files =
        LocateProgramFiles({"/usr/bin", false, shared.Path(), home / "config"});
    const fs::path path = PrepareSettingsFile(files);
    const fs::path user = path.parent_path();
    EXPECT_EQ(path, home / "config/tarsel/Program.ini");
    EXPECT_EQ(test::FileText(path), test::FileText(shared / "Program.ini"));
    ASSERT_TRUE(CSettingsFile(path).WriteInteger("Setup", "COM", 4));
    EXPECT_EQ(test::FileText(shared / "Program.ini").find("COM"), std::string::npos)
        << "the shipped file is never written";
    // The user's own file is kept on the next start.
    PrepareSettingsFile(files);
    EXPECT_EQ(CSettingsFile(path).ReadInteger("Setup", "COM", 0), 4);

    std::ofstream(shared / "Default.dat") << "s";
    std::ofstream(shared / "startup.bmp") << "s";
    std::ofstream(user / "startup.bmp") << "u";
    fs::create_directory(user / "Default.dat"); // not a file: passed over
    const std::pair<const char*, fs::path> cases[] = {
        {"startup.bmp", user},
        {"Default.dat", shared.Path()},
        {"background.bmp", user}, // nowhere: the first folder, where it is then missing
    };
    for (const auto& [name, folder] : cases) {
        EXPECT_EQ(files.FolderOf(name), folder) << name;
        EXPECT_EQ(files.Find(name), folder / name) << name;
    }
    EXPECT_EQ(CProgramFiles(user).Find("x"), user / "x");

    // Without a shipped file the user's starts empty, as a missing settings file always did.
    fs::remove(shared / "Program.ini");
    fs::remove(path);
    EXPECT_FALSE(fs::exists(PrepareSettingsFile(files)));
    EXPECT_TRUE(fs::is_directory(user));
}

// Without HOME (a service, a cron job): the account's own home folder.
TEST(ProgramFiles, UserFoldersFollowTheXdgRules) {
    test::CEnvironment config("XDG_CONFIG_HOME"), data("XDG_DATA_HOME"), home("HOME");
    const std::string own = ::getpwuid(::getuid())->pw_dir;
    const struct {
        std::optional<std::string> xdg, home;
        fs::path config, backups;
    } cases[] = {
        {"/x", "/home/u", "/x", "/x/tarsel/backups"},
        // Relative values are invalid by the rules: ignored.
        {"x", "/home/u", "/home/u/.config", "/home/u/.local/share/tarsel/backups"},
        {std::nullopt, "/home/u", "/home/u/.config", "/home/u/.local/share/tarsel/backups"},
        {std::nullopt, std::nullopt, own + "/.config", own + "/.local/share/tarsel/backups"},
    };
    for (const auto& c : cases) {
        config.Set(c.xdg);
        data.Set(c.xdg);
        home.Set(c.home);
        EXPECT_EQ(UserConfigFolder(), c.config) << c.xdg.value_or("(unset)");
        EXPECT_EQ(DefaultBackupFolder(), c.backups) << c.xdg.value_or("(unset)");
    }
}

// The automatic backups: names, order, the limit, and what happens when none can be kept.

// A fixed local time: 2024-05-01 13:45:09 plus the seconds the test moves on.
std::time_t At(int seconds) {
    std::tm local{.tm_sec = 9 + seconds, .tm_min = 45, .tm_hour = 13, .tm_mday = 1, .tm_mon = 4,
                  .tm_year = 124, .tm_isdst = -1};
    return std::mktime(&local);
}

// Names, order and the limit; other files in the folder are left alone.
TEST(BackupStoreTest, KeepsTheNewestUnderNamesOfTimeKindAndASuffixWithinOneSecond) {
    CTempDir dir;
    int now = 0;
    const CBackupStore store(dir / "backups", [&] { return At(now); });
    fs::create_directories(store.Folder());
    const char* foreign[] = {"notes.txt", "20240501-134509-read.dat.bak", "mine.dat",
                             "20240501-134509-copy.dat", "20240501-134509-read-1.dat"};
    for (const char* name : foreign) std::ofstream(store.Folder() / name) << "x";
    const struct {
        int second;
        EBackupKind kind;
        const char* name;
    } steps[] = {
        {0, EBackupKind::Read, "20240501-134509-read.dat"},
        {0, EBackupKind::Write, "20240501-134509-write-2.dat"},
        {0, EBackupKind::Write, "20240501-134509-write-3.dat"},
        {1, EBackupKind::Initialise, "20240501-134510-init.dat"},
    };
    for (unsigned i = 0; i < std::size(steps); ++i) {
        now = steps[i].second;
        const CMemoryImage image = test::RandomImage(i);
        const auto kept = store.Keep(steps[i].kind, image);
        ASSERT_TRUE(kept.Kept()) << kept.error;
        EXPECT_EQ(kept.path.filename(), steps[i].name);
        CMemoryImage back;
        ASSERT_FALSE(LoadDataFile(kept.path, back));
        EXPECT_EQ(back, image) << steps[i].name;
    }
    auto entries = store.List();
    ASSERT_EQ(entries.size(), std::size(steps));
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].path.filename(), steps[std::size(steps) - 1 - i].name);
    EXPECT_EQ(entries[0].time, "2024-05-01 13:45:10");
    EXPECT_EQ(entries[0].kind, EBackupKind::Initialise);
    EXPECT_EQ(entries[0].size, CMemoryImage::kSize);

    for (now = 2; now < static_cast<int>(kBackupsKept) + 3; ++now)
        ASSERT_TRUE(store.Keep(EBackupKind::Read, BuildDefaultImage()).Kept());
    entries = store.List();
    ASSERT_EQ(entries.size(), kBackupsKept);
    // The five oldest went (the four above and second 2); 202 seconds after 13:45:09 is 13:48:31.
    EXPECT_EQ(entries.back().time, "2024-05-01 13:45:12");
    EXPECT_EQ(entries.front().time, "2024-05-01 13:48:31");
    for (const char* name : foreign) EXPECT_TRUE(fs::exists(store.Folder() / name));

    std::ofstream(dir / "blocked") << "a file where the folder should be";
    const CBackupStore blocked(dir / "blocked" / "backups");
    const auto kept = blocked.Keep(EBackupKind::Read, BuildDefaultImage());
    EXPECT_FALSE(kept.Kept());
    EXPECT_NE(kept.error.find("blocked"), std::string::npos) << kept.error;
    EXPECT_TRUE(blocked.List().empty());
}

struct SettingsFileTest : ::testing::Test {
    void Put(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string Get() const { return test::FileText(path_); }

    test::CTempDir dir_;
    fs::path path_ = dir_ / "Program.ini";
};

TEST_F(SettingsFileTest, ReadsTextAsTheProfileFunctionsDo) {
    const std::string longValue(300, 'a');
    struct Case {
        const char* name;
        std::string file, section, key, expected;
    } cases[] = {
        {"crlf", "[Setup]\r\nCOM=3\r\nType=TZ-316\r\n", "Setup", "Type", "TZ-316"},
        {"any case", "[setup]\nCom=3\n", "SETUP", "cOM", "3"},
        {"blanks trimmed", "  [ Setup ]  \n\t Type =  TZ 316 \t\n", "Setup", "Type", "TZ 316"},
        {"double quotes", "[S]\nk=\" a b \"\n", "S", "k", " a b "},
        {"single quotes", "[S]\nk='x'\n", "S", "k", "x"},
        {"unmatched quotes", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        {"lone quote", "[S]\nk=\"\n", "S", "k", "\""},
        {"first key wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        {"first section only", "[S]\nk=1\n[T]\nj=0\n[s]\nk=2\nj=3\n", "S", "j", ""},
        {"before any section", "k=1\n[S]\n", "S", "k", ""},
        {"no equals", "[S]\nk\n", "S", "k", ""},
        {"header remark", "[S] ; setup\nk=1\n", "S", "k", "1"},
        {"second equals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"gb2312", "[Setup]\nType=\xB6\xD4\xBD\xB2\xBB\xFA\n", "Setup", "Type",
         "\xB6\xD4\xBD\xB2\xBB\xFA"},
        {"non-ascii key", "[S]\n\xC3\x89=1\n", "S", "\xC3\xA9", ""},
        {"cut", "[S]\nk=" + longValue + "\n", "S", "k", longValue.substr(0, 259)},
        {"quoted cut", "[S]\nk=\"" + longValue + "\"\n", "S", "k", longValue.substr(0, 259)},
        {"nul ends", std::string("[S]\nk=a\0b\n", 10), "S", "k", "a"},
    };
    for (const Case& c : cases) {
        Put(c.file);
        EXPECT_EQ(CSettingsFile(path_).ReadText(c.section, c.key), c.expected) << c.name;
    }
}

TEST_F(SettingsFileTest, ReadsIntegersAndSectionsAsTheProfileFunctionsDo) {
    // A missing file is created empty.
    EXPECT_EQ(CSettingsFile(path_).ReadInteger("Setup", "COM", -1), -1);
    EXPECT_EQ(fs::file_size(path_), 0u);
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"3", 3},   {"", 77},        {"55zz", 55},      {"zz", 0},
                 {"0x1F", 31}, {"-5", -5},      {"+7", 7},         {"\"12\"", 12},
                 {"0x", 0},   {"4294967297", 1}, {"2147483648", INT_MIN}};
    for (const Case& c : cases) {
        Put(std::string("[Setup]\r\nCOM=") + c.value + "\r\n");
        EXPECT_EQ(CSettingsFile(path_).ReadInteger("Setup", "COM", 77), c.expected) << c.value;
    }

    Put("[Version]\r\nv1.2.3=V2.0\r\n; remark\r\n\r\nv1 = V1.5\r\njunk\r\n=x\r\nq=\"V3\"\r\n"
        "[Other]\r\na=b\r\n");
    const CSettingsFile settings(path_);
    std::vector<std::string> keys{"stale"}, values{"stale"};
    EXPECT_EQ(settings.ReadSection("version", keys, values), 5);
    EXPECT_EQ(keys, (std::vector<std::string>{"v1.2.3", "v1", "", "", "q"}));
    EXPECT_EQ(values, (std::vector<std::string>{"V2.0", "V1.5", "junk", "x", "\"V3\""}));

    EXPECT_EQ(settings.ReadSection("Missing", keys, values), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(values.empty());
}

// A write that would break the file is refused (no "after") and leaves the file as it was.
TEST_F(SettingsFileTest, WritingOneKeyKeepsEveryOtherLine) {
    const std::string kept = "[Setup]\nCOM=1\n";
    struct Case {
        const char* name;
        std::string before, section, key, value, after;
    } cases[] = {
        {"in place", "; top\r\n[Setup]\r\ncom = 3\r\nType=X\r\n[About]\r\nVersion=1\r\n", "Setup",
         "COM", "10", "; top\r\n[Setup]\r\ncom=10\r\nType=X\r\n[About]\r\nVersion=1\r\n"},
        {"added to its section", "[Setup]\nType=X\n\n[About]\nV=1\n", "setup", "COM", "5",
         "[Setup]\nType=X\nCOM=5\n\n[About]\nV=1\n"},
        {"new section", "[About]\r\nV=1\r\n", "Setup", "COM", "5",
         "[About]\r\nV=1\r\n\r\n[Setup]\r\nCOM=5\r\n"},
        {"new section after blank", "[About]\nV=1\n\n", "Setup", "COM", "5",
         "[About]\nV=1\n\n[Setup]\nCOM=5\n"},
        {"empty file", "", "Setup", "COM", "5", "[Setup]\nCOM=5\n"},
        {"no last line ending", "[Setup]\nType=X", "Setup", "COM", "5", "[Setup]\nType=X\nCOM=5\n"},
        {"file ends in a bare CR", "[Setup]\nType=X\r", "Setup", "COM", "5",
         "[Setup]\nType=X\r\nCOM=5\n"},
        {"no last line ending, new section", "[About]\nV=1", "Setup", "COM", "5",
         "[About]\nV=1\n\n[Setup]\nCOM=5\n"},
        {"entry without equals", "[Setup]\nCOM\n", "Setup", "COM", "5", "[Setup]\nCOM=5\n"},
        {"first section", "[Setup]\nA=1\n[Setup]\nCOM=2\n", "Setup", "COM", "5",
         "[Setup]\nA=1\nCOM=5\n[Setup]\nCOM=2\n"},
        {"bytes kept", "[About]\nCompany=\xC9\xCF\xBA\xA3\n[Setup]\nCOM=1\n", "Setup", "COM",
         "\xB6\xD4", "[About]\nCompany=\xC9\xCF\xBA\xA3\n[Setup]\nCOM=\xB6\xD4\n"},
        {"refused", kept, "Setup", "a=b", "1", ""}, {"refused", kept, "Setup", "", "1", ""},
        {"refused", kept, "", "COM", "1", ""}, {"refused", kept, "Setup", "COM", "1\r2", ""},
        {"refused", kept, "Se]tup", "COM", "1", ""}, {"refused", kept, "Setup", ";COM", "1", ""},
        {"refused", kept, "Setup", "[COM", "1", ""}, {"refused", kept, "Setup", "COM", "1\n", ""},
        {"refused", kept, "Setup", "COM", std::string("1\0", 2), ""},
    };
    for (const Case& c : cases) {
        Put(c.before);
        CSettingsFile settings(path_);
        const bool written = !c.after.empty();
        EXPECT_EQ(settings.WriteText(c.section, c.key, c.value), written) << c.name << c.key;
        EXPECT_EQ(Get(), written ? c.after : c.before) << c.name << c.key;
        if (written) EXPECT_EQ(settings.ReadText(c.section, c.key), c.value) << c.name;
    }
}

TEST_F(SettingsFileTest, WritingKeepsTheFilesLinkAndModeButNeverReplacesADirectory) {
    const fs::path real = dir_ / "real.ini";
    std::ofstream(real) << "[Setup]\nCOM=1\n";
    fs::permissions(real, fs::perms(0640));
    fs::create_symlink(real, path_);

    ASSERT_TRUE(CSettingsFile(path_).WriteInteger("Setup", "COM", 4));
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(CSettingsFile(real).ReadInteger("Setup", "COM", 0), 4);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 2);

    // A directory in place of the file reads as empty and is not replaced.
    fs::remove(path_);
    fs::create_directory(path_);
    CSettingsFile settings(path_);
    EXPECT_EQ(settings.ReadText("Setup", "Type"), "");
    EXPECT_EQ(settings.ReadInteger("Setup", "COM", 5), 5);
    EXPECT_FALSE(settings.WriteInteger("Setup", "COM", 3));
    EXPECT_TRUE(fs::is_directory(path_));
}

// Opens only the port names it is given.
class CProbePort : public test::CFakePort {
public:
    std::set<std::string> present;
    COpenResult OpenRadioPort(std::string_view name) override {
        openResult.failure =
            present.count(std::string(name)) ? EOpenFailure::None : EOpenFailure::HeldElsewhere;
        return CFakePort::OpenRadioPort(name);
    }
};

TEST(PortChoice, ProbesEveryPortAndSelectsTheCurrentOneWhenItOpens) {
    const struct {
        std::set<std::string> present;
        std::string current;
        int selected;
    } cases[] = {
        {{"COM1", "\\\\.\\COM12"}, "COM1", 1},
        {{"COM1", "\\\\.\\COM12"}, "\\\\.\\COM12", 12},
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
        // Every probe that opens is closed at once.
        EXPECT_EQ(std::ranges::count(port.events, test::CFakePort::CEvent::EKind::Close,
                                     &test::CFakePort::CEvent::kind),
                  available.size() + c.present.count(c.current));
        EXPECT_FALSE(port.IsOpen());
        const std::string cause = DescribeNoCable(fields);
        EXPECT_EQ(cause.empty(), !c.present.empty()) << cause;
        if (!c.present.empty()) continue;
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

// A choice is stored only when made; the settings map port names to devices.
TEST(PortChoice, ConfirmStoresOnlyWithAChoiceAndSettingsMapPortsToDevices) {
    test::CTempDir dir;
    std::ofstream(dir / "Program.ini")
        << "[Ports]\r\nCOM3=/dev/ttyS0\r\ncom17 = ttyS1\r\nCOM0=/dev/ttyS9\r\n";
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

    EXPECT_EQ(ResolvePortDevice("COM3", &settings), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortDevice("\\\\.\\COM17", &settings), "/dev/ttyS1");
    EXPECT_EQ(ResolvePortDevice("COM4", &settings), "/dev/ttyUSB3");
    // COM0 is what a missing port setting reads as: it never opens anything.
    EXPECT_EQ(ResolvePortDevice("COM0", &settings), std::nullopt);
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

// What names resolve to; which of them the dialog forms from the numbers; the number read back
// from any name as sscanf's "%*[^M]M%d" reads it.
TEST(PortNameTest, ResolvesNamesToDevicesAndReadsNumbersAsSscanfDoes) {
    const int no = -1; // not a name the dialog forms
    const std::optional<std::string> none;
    struct Case {
        const char* name;
        std::optional<std::string> device;
        int number;
    } cases[] = {
        {"COM1", "/dev/ttyUSB0", 1},              {"COM8", "/dev/ttyUSB7", 8},
        {"COM9", "/dev/ttyACM0", 9},              {"\\\\.\\COM10", "/dev/ttyACM1", 10},
        {"\\\\.\\COM16", "/dev/ttyACM7", 16},     {"com3", "/dev/ttyUSB2", no},
        {"/dev/pts/3", "/dev/pts/3", no},         {"COM0", none, 0},
        {"\\\\.\\COM17", none, no},               {"COM17", none, no},
        {"COM-1", none, no},                      {"COM3x", none, no},
        {"junk", none, no},                       {"", none, no},
        {"ttyUSB0", none, no},                    {"CXM1", none, no},
        {"COX1", none, no},                       {"XOM1", none, no},
        {"COM", none, no},                        {"M5", none, no},
        {"COM -3", none, no},                     {"COM\t7", none, no},
        {"COMx", none, no},                       {"COM+4", none, no},
        {"xMM2", none, no},                       {"aM 12 M3", none, no},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolvePortDevice(c.name, nullptr), c.device) << c.name;
        int n = 0;
        const bool assigned = std::sscanf(c.name, "%*[^M]M%d", &n) == 1;
        EXPECT_EQ(PortNumberFromName(c.name), assigned ? std::optional(n) : std::nullopt) << c.name;
        if (c.number != no) EXPECT_EQ(PortNameFromNumber(c.number), c.name);
    }
    EXPECT_EQ(PortNumberFromName("COM99999999999"), INT_MAX);
    EXPECT_EQ(PortNumberFromName(std::string_view("CO\0M3", 5)), std::nullopt);
}

} // namespace
} // namespace tarsel
