// The automatic backups: names, order, the limit, and what happens when none can be kept.
#include "core/radiolink/backups.h"

#include "core/image/datafile.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <fstream>

#include <pwd.h>
#include <unistd.h>

namespace tarsel {
namespace {

// A fixed local time: 2024-05-01 13:45:09 plus the seconds the test moves on.
std::time_t At(int seconds) {
    std::tm local{};
    local.tm_year = 124;
    local.tm_mon = 4;
    local.tm_mday = 1;
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_sec = 9 + seconds;
    local.tm_isdst = -1;
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

TEST(BackupFolderTest, FollowsXdgDataHomeElseHome) {
    test::CEnvironment xdg("XDG_DATA_HOME"), home("HOME", "/home/u");
    const struct {
        std::optional<std::string> xdg;
        std::filesystem::path expected;
    } cases[] = {
        {"/data/x", "/data/x/tarsel/backups"},
        {std::nullopt, "/home/u/.local/share/tarsel/backups"},
        {"", "/home/u/.local/share/tarsel/backups"},
        {"relative", "/home/u/.local/share/tarsel/backups"},
    };
    for (const auto& c : cases) {
        xdg.Set(c.xdg);
        EXPECT_EQ(DefaultBackupFolder(), c.expected) << c.xdg.value_or("(unset)");
    }
    // A session without HOME (a service, a cron job): the account's own home folder.
    xdg.Set(std::nullopt);
    home.Set(std::nullopt);
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(DefaultBackupFolder(),
              std::filesystem::path(account->pw_dir) / ".local/share/tarsel/backups");
}

} // namespace
} // namespace tarsel
