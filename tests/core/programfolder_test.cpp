// The files the program keeps: where they are found, the settings file, the automatic backups.
#include "core/image/datafile.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/programfolder.h"
#include "core/radiolink/settingsfile.h"

#include "testimage.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using test::CEnvironment;
using test::CTempDir;
using test::FileText;

TEST(ProgramFiles, WhereEachKindOfProgramLooks) {
    struct Case {
        const char* name;
        CProgramPlace place;
        std::vector<fs::path> folders;
        fs::path settings, seed;
    } cases[] = {
        {"build folder", {"/b/bin", true, {}, "/h/.config"}, {"/b/bin"}, "/b/bin/Program.ini", {}},
        {"installed", {"/usr/bin", false, "/usr/share/tarsel", "/h/.config"},
         {"/h/.config/tarsel", "/usr/share/tarsel"}, "/h/.config/tarsel/Program.ini",
         "/usr/share/tarsel/Program.ini"},
        // Root may write /usr/bin, yet an installation is never written into.
        {"installed, run by root", {"/usr/bin", true, "/usr/share/tarsel", "/root/.config"},
         {"/root/.config/tarsel", "/usr/share/tarsel"}, "/root/.config/tarsel/Program.ini",
         "/usr/share/tarsel/Program.ini"},
        {"read-only copy, not installed", {"/opt/t", false, {}, "/h/.config"},
         {"/h/.config/tarsel", "/opt/t"}, "/h/.config/tarsel/Program.ini", "/opt/t/Program.ini"},
        {"installed, no home", {"/usr/bin", false, "/usr/share/tarsel", {}}, {"/usr/share/tarsel"},
         "/usr/share/tarsel/Program.ini", {}},
        {"read-only copy, no home", {"/opt/t", false, {}, {}}, {"/opt/t"}, "/opt/t/Program.ini", {}},
    };
    for (const Case& c : cases) {
        const CProgramFiles files = LocateProgramFiles(c.place);
        EXPECT_EQ(files.folders, c.folders) << c.name;
        EXPECT_EQ(files.settings, c.settings) << c.name;
        EXPECT_EQ(files.settingsSeed, c.seed) << c.name;
    }
}

TEST(ProgramFiles, TheUsersFileComesFirstThenTheShippedOne) {
    CTempDir user, shared;
    std::ofstream(shared / "Default.dat") << "s";
    std::ofstream(shared / "startup.bmp") << "s";
    std::ofstream(user / "startup.bmp") << "u";
    fs::create_directory(user / "Default.dat"); // not a file: passed over
    CProgramFiles files;
    files.folders = {user.Path(), shared.Path()};
    const struct {
        const char* name;
        fs::path folder;
    } cases[] = {
        {"startup.bmp", user.Path()},
        {"Default.dat", shared.Path()},
        {"background.bmp", user.Path()}, // nowhere: the first folder, where it is then missing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.FolderOf(c.name), c.folder) << c.name;
        EXPECT_EQ(files.Find(c.name), c.folder / c.name) << c.name;
    }
    EXPECT_EQ(CProgramFiles(user.Path()).Find("x"), user / "x");
}

TEST(ProgramFiles, SettingsStartAsACopyOfTheShippedFile) {
    CTempDir home, shared;
    std::ofstream(shared / "Program.ini") << "[Setup]\nType=TZ-316\n[About]\nVersion=1\n";
    CProgramPlace place{"/usr/bin", false, shared.Path(), home / "config"};
    const CProgramFiles files = LocateProgramFiles(place);

    const fs::path path = PrepareSettingsFile(files);
    EXPECT_EQ(path, home / "config/tarsel/Program.ini");
    EXPECT_EQ(FileText(path), FileText(shared / "Program.ini"));
    ASSERT_TRUE(CSettingsFile(path).WriteInteger("Setup", "COM", 4));
    EXPECT_EQ(FileText(shared / "Program.ini").find("COM"), std::string::npos)
        << "the shipped file is never written";

    // The user's own file is kept on the next start.
    PrepareSettingsFile(files);
    EXPECT_EQ(CSettingsFile(path).ReadInteger("Setup", "COM", 0), 4);

    // Without a shipped file the user's starts empty, as a missing settings file always did.
    fs::remove(shared / "Program.ini");
    fs::remove(path);
    EXPECT_FALSE(fs::exists(PrepareSettingsFile(files)));
    EXPECT_TRUE(fs::is_directory(path.parent_path()));
}

// Without HOME (a service, a cron job): the account's own home folder.
TEST(ProgramFiles, UserFoldersFollowTheXdgRules) {
    CEnvironment config("XDG_CONFIG_HOME"), data("XDG_DATA_HOME"), home("HOME");
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    const std::string own = account->pw_dir;
    const struct {
        std::optional<std::string> xdg, home;
        fs::path config, backups;
    } cases[] = {
        {"/x", "/home/u", "/x", "/x/tarsel/backups"},
        // Relative values are invalid by the rules: ignored.
        {"x", "/home/u", "/home/u/.config", "/home/u/.local/share/tarsel/backups"},
        {"", "/home/u", "/home/u/.config", "/home/u/.local/share/tarsel/backups"},
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

TEST(ProgramFiles, ATestProgramIsRunFromItsBuildFolder) {
    const CProgramPlace place = ThisProgramPlace();
    EXPECT_EQ(fs::weakly_canonical(place.exeFolder), fs::weakly_canonical(TARSEL_BIN_DIR));
    EXPECT_TRUE(place.sharedFolder.empty()) << place.sharedFolder;
}

// The automatic backups: names, order, the limit, and what happens when none can be kept.

// A fixed local time: 2024-05-01 13:45:09 plus the seconds the test moves on.
std::time_t At(int seconds) {
    std::tm local{.tm_sec = 9 + seconds, .tm_min = 45, .tm_hour = 13, .tm_mday = 1, .tm_mon = 4,
                  .tm_year = 124, .tm_isdst = -1};
    return std::mktime(&local);
}

struct CBackupFixture : ::testing::Test {
    test::CTempDir dir;
    int now = 0;
    CBackupStore store{dir / "backups", [this] { return At(now); }};
};

TEST_F(CBackupFixture, NamesCarryTimeAndKindAndASuffixWithinOneSecond) {
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
    // Newest first, the suffix ordering backups of the same second.
    const auto entries = store.List();
    ASSERT_EQ(entries.size(), std::size(steps));
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].path.filename(), steps[std::size(steps) - 1 - i].name);
    EXPECT_EQ(entries[0].time, "2024-05-01 13:45:10");
    EXPECT_EQ(entries[0].kind, EBackupKind::Initialise);
    EXPECT_EQ(entries[0].size, CMemoryImage::kSize);
}

TEST_F(CBackupFixture, KeepsTheNewestAndLeavesOtherFilesAlone) {
    fs::create_directories(store.Folder());
    const char* foreign[] = {"notes.txt", "20240501-134509-read.dat.bak", "mine.dat",
                             "20240501-134509-copy.dat", "20240501-134509-read-1.dat"};
    for (const char* name : foreign) std::ofstream(store.Folder() / name) << "x";
    const CMemoryImage image = BuildDefaultImage();
    for (now = 0; now < static_cast<int>(kBackupsKept) + 5; ++now)
        ASSERT_TRUE(store.Keep(EBackupKind::Read, image).Kept());
    const auto entries = store.List();
    ASSERT_EQ(entries.size(), kBackupsKept);
    // The five oldest went (seconds 0 to 4); 204 seconds after 13:45:09 is 13:48:33.
    EXPECT_EQ(entries.back().time, "2024-05-01 13:45:14");
    EXPECT_EQ(entries.front().time, "2024-05-01 13:48:33");
    for (const char* name : foreign) EXPECT_TRUE(fs::exists(store.Folder() / name));
    EXPECT_FALSE(fs::exists(store.Folder() / "20240501-134509-read.dat"));
}

TEST_F(CBackupFixture, AFolderThatCannotBeWrittenGivesTheCauseAndNoFile) {
    std::ofstream(dir / "blocked") << "a file where the folder should be";
    const CBackupStore blocked(dir / "blocked" / "backups");
    const auto kept = blocked.Keep(EBackupKind::Read, BuildDefaultImage());
    EXPECT_FALSE(kept.Kept());
    EXPECT_NE(kept.error.find("blocked"), std::string::npos) << kept.error;
    EXPECT_TRUE(blocked.List().empty());
}

class SettingsFileTest : public ::testing::Test {
protected:
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
        {"comment", "[S]\n;k=1\n", "S", "k", ""},
        {"no equals", "[S]\nk\n", "S", "k", ""},
        {"header remark", "[S] ; setup\nk=1\n", "S", "k", "1"},
        {"second equals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"missing key", "[S]\nk=1\n", "S", "x", ""},
        {"missing section", "[S]\nk=1\n", "T", "k", ""},
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

TEST_F(SettingsFileTest, ReadsIntegersAsTheProfileFunctionsDo) {
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
}

TEST_F(SettingsFileTest, ReadsASectionIntoKeysAndValues) {
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

TEST_F(SettingsFileTest, WritingOneKeyKeepsEveryOtherLine) {
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
        {"comment untouched", "[Setup]\n;COM=1\n", "Setup", "COM", "5", "[Setup]\n;COM=1\nCOM=5\n"},
        {"first section", "[Setup]\nA=1\n[Setup]\nCOM=2\n", "Setup", "COM", "5",
         "[Setup]\nA=1\nCOM=5\n[Setup]\nCOM=2\n"},
        {"bytes kept", "[About]\nCompany=\xC9\xCF\xBA\xA3\n[Setup]\nCOM=1\n", "Setup", "COM",
         "\xB6\xD4", "[About]\nCompany=\xC9\xCF\xBA\xA3\n[Setup]\nCOM=\xB6\xD4\n"},
    };
    for (const Case& c : cases) {
        Put(c.before);
        CSettingsFile settings(path_);
        EXPECT_TRUE(settings.WriteText(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(Get(), c.after) << c.name;
        EXPECT_EQ(settings.ReadText(c.section, c.key), c.value) << c.name;
    }
}

TEST_F(SettingsFileTest, RefusesWritesThatWouldBreakTheFile) {
    const std::string before = "[Setup]\nCOM=1\n";
    struct Case {
        std::string section, key, value;
    } cases[] = {
        {"Setup", "a=b", "1"},  {"Setup", "", "1"},      {"", "COM", "1"},
        {"Setup", "COM", "1\r2"}, {"Se]tup", "COM", "1"}, {"Setup", ";COM", "1"},
        {"Setup", "[COM", "1"}, {"Setup", "COM", "1\n[Ports]\nCOM1=/dev/sda"},
        {"Setup", "COM", std::string("1\0", 2)},
    };
    for (const Case& c : cases) {
        Put(before);
        EXPECT_FALSE(CSettingsFile(path_).WriteText(c.section, c.key, c.value)) << c.key;
        EXPECT_EQ(Get(), before) << c.key;
    }
}

TEST_F(SettingsFileTest, WritingKeepsTheFilesLinkAndMode) {
    const fs::path real = dir_ / "real.ini";
    std::ofstream(real) << "[Setup]\nCOM=1\n";
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, path_);

    ASSERT_TRUE(CSettingsFile(path_).WriteInteger("Setup", "COM", 4));
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(CSettingsFile(real).ReadInteger("Setup", "COM", 0), 4);
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 2);
}

TEST_F(SettingsFileTest, ADirectoryInPlaceOfTheFileReadsAsEmptyAndIsNotReplaced) {
    fs::create_directory(path_);
    CSettingsFile settings(path_);
    EXPECT_EQ(settings.ReadText("Setup", "Type"), "");
    EXPECT_EQ(settings.ReadInteger("Setup", "COM", 5), 5);
    EXPECT_FALSE(settings.WriteInteger("Setup", "COM", 3));
    EXPECT_TRUE(fs::is_directory(path_));
}

} // namespace
} // namespace tarsel
