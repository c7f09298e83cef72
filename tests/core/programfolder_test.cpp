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
    CSettingsFile settings(path);
    EXPECT_EQ(settings.ReadText("Setup", "Type"), "TZ-316");
    ASSERT_TRUE(settings.WriteInteger("Setup", "COM", 4));
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

} // namespace
} // namespace tarsel
