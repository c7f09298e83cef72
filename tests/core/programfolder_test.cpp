#include "core/image/datafile.h"
#include "core/radiolink/backups.h"
#include "core/radiolink/programfolder.h"
#include "core/radiolink/settingsfile.h"

#include "testimage.h"

#include <gtest/gtest.h>

#include <fstream>

#include <pwd.h>
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

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const CBackupEntry& e : store.List()) names.push_back(e.path.filename().string());
        return names;
    }
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
    EXPECT_EQ(Names(), (std::vector<std::string>{
                           "20240501-134510-init.dat", "20240501-134509-write-3.dat",
                           "20240501-134509-write-2.dat", "20240501-134509-read.dat"}));
    const auto entries = store.List();
    EXPECT_EQ(entries[0].time, "2024-05-01 13:45:10");
    EXPECT_EQ(entries[0].kind, EBackupKind::Initialise);
    EXPECT_EQ(entries[0].size, CMemoryImage::kSize);
}

TEST_F(CBackupFixture, KeepsTheNewestAndLeavesOtherFilesAlone) {
    std::filesystem::create_directories(store.Folder());
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
    for (const char* name : foreign) EXPECT_TRUE(std::filesystem::exists(store.Folder() / name));
    EXPECT_FALSE(std::filesystem::exists(store.Folder() / "20240501-134509-read.dat"));
}

TEST_F(CBackupFixture, AFolderThatCannotBeWrittenGivesTheCauseAndNoFile) {
    std::ofstream(dir / "blocked") << "a file where the folder should be";
    const CBackupStore blocked(dir / "blocked" / "backups");
    const auto kept = blocked.Keep(EBackupKind::Read, BuildDefaultImage());
    EXPECT_FALSE(kept.Kept());
    EXPECT_NE(kept.error.find("blocked"), std::string::npos) << kept.error;
    EXPECT_TRUE(blocked.List().empty());
}

} // namespace
} // namespace tarsel
