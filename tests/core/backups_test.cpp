// The automatic backups: names, order, the limit, and what happens when none can be kept.
#include "core/radiolink/backups.h"

#include "core/image/datafile.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarsel {
namespace {

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
