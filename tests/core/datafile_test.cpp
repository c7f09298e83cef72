#include "core/image/datafile.h"

#include "testimage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tarsel {
namespace {

using test::CTempDir;

void WriteFile(const std::filesystem::path& path, std::size_t size, uint8_t value) {
    std::ofstream(path, std::ios::binary) << std::string(size, static_cast<char>(value));
}

TEST(DefaultImage, MatchesTheBuiltInTable) {
    const CMemoryImage image = BuildDefaultImage();
    // Every record is 0xFF but for these bytes; byte 7 of 0x1F70 lies inside channel 252's.
    const std::map<int, uint8_t> set = {{12, 0x00}, {13, 0x38}, {15, 0x00}, {16, 0x00}, {17, 0x00},
                                        {18, 0x00}, {19, 0x01}, {20, 0x00}, {21, 0x00}};
    for (int channel = 1; channel <= 258; ++channel)
        for (int k = 0; k < 32; ++k) {
            const std::size_t at = RecordOffset(channel) + k;
            const uint8_t expected = at == 0x1F77 ? 0x0A : set.contains(k) ? set.at(k) : 0xFF;
            ASSERT_EQ(image[at], expected) << "channel " << channel << " byte " << k;
        }
    const std::pair<std::size_t, uint8_t> settings[] = {
        {0x2040, 0x1E}, {0x2041, 0xFF}, {0x2042, 0x04}, {0x2047, 0x01}, {0x2049, 0x0E},
        {0x204D, 0x0D}, {0x204E, 0xFF}, {0x2080, 0x32}, {0x20A8, 0x0E}, {0x20B0, 0x01},
        {0x20B1, 0x00}, {0x20B2, 0x00}, {0x20B3, 0xFF}, {0x20D9, 0x45}, {0x20DA, 0xFA},
        {0x20DD, 0x0E}, {0x20E0, 0x01}, {0x20E3, 0x0E}, {0x20E6, 0x00}, {0x20E7, 0xFF},
        {0x2E13, 0xFF}, {0x3FFF, 0xFF}};
    for (const auto& [offset, value] : settings)
        EXPECT_EQ(image[offset], value) << std::hex << offset;
    int setBytes = 0;
    for (std::size_t i = 0x2040; i < 0x4000; ++i) setBytes += image[i] != 0xFF;
    EXPECT_EQ(setBytes, 22 + 3 + 7) << "only the table's bytes differ from 0xFF";
}

TEST(NewDocument, DefaultDatOfAnyLength) {
    CTempDir dir;
    EXPECT_EQ(NewDocumentImage(dir.Path()), BuildDefaultImage()) << "no Default.dat";
    const auto opened = [&](std::size_t size, uint8_t value) {
        WriteFile(dir / "Default.dat", size, value);
        return NewDocumentImage(dir.Path());
    };
    CMemoryImage image = opened(100, 0x11);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        ASSERT_EQ(image[i], i < 100 ? 0x11 : 0xFF) << i;
    image = opened(20000, 0x22);
    EXPECT_EQ(image[0], 0x22);
    EXPECT_EQ(image[0x3FFF], 0x22);
    EXPECT_EQ(opened(0, 0), CMemoryImage()) << "an empty file opens: all 0xFF";

    std::filesystem::remove(dir / "Default.dat");
    std::filesystem::create_directory(dir / "Default.dat");
    EXPECT_EQ(NewDocumentImage(dir.Path()), BuildDefaultImage()) << "a folder does not open";

    // Opens, but its first read fails (EIO: nothing is mapped at address 0).
    std::filesystem::remove(dir / "Default.dat");
    std::filesystem::create_symlink("/proc/self/mem", dir / "Default.dat");
    EXPECT_EQ(NewDocumentImage(dir.Path()), BuildDefaultImage()) << "an unreadable file";
}

TEST(DataFile, LoadTakesTheFirst16384BytesOrLeavesTheImageAsItWas) {
    CTempDir dir;
    WriteFile(dir / "short.dat", 16383, 0x00);
    WriteFile(dir / "empty.dat", 0, 0x00);
    std::filesystem::create_directory(dir / "folder.dat");
    std::filesystem::create_symlink("/proc/self/mem", dir / "unreadable.dat");
    const struct {
        std::string name;
        CFileError::Kind kind;
        const char* words;
    } cases[] = {
        {"missing.dat", CFileError::Kind::CannotOpen, "No such file"},
        {"short.dat", CFileError::Kind::TooShort, "16383 bytes"},
        {"empty.dat", CFileError::Kind::TooShort, "0 bytes"},
        {"folder.dat", CFileError::Kind::NotAFile, "folder"},
        {"unreadable.dat", CFileError::Kind::ReadFailed, "Input/output error"},
    };
    const CMemoryImage before = test::RandomImage(3);
    for (const auto& c : cases) {
        CMemoryImage image = before;
        const auto error = LoadDataFile(dir / c.name, image);
        ASSERT_TRUE(error) << c.name;
        EXPECT_EQ(error->kind, c.kind) << c.name;
        const std::string message = DescribeFileError(*error);
        EXPECT_NE(message.find(c.name), std::string::npos) << message;
        EXPECT_NE(message.find(c.words), std::string::npos) << message;
        EXPECT_EQ(image, before) << c.name;
    }
    WriteFile(dir / "long.dat", 20000, 0x5A);
    CMemoryImage image;
    ASSERT_FALSE(LoadDataFile(dir / "long.dat", image));
    EXPECT_EQ(image[0x3FFF], 0x5A);
}

// A file size limit makes the write fail part-way, as a full disk does (root included); a file
// whose folder does not exist fails before anything is written.
TEST(DataFile, AFailedSaveLeavesTheOldFile) {
    CTempDir dir;
    auto error = SaveDataFile(dir / "no-such-folder" / "a.dat", BuildDefaultImage());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, CFileError::Kind::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));

    const CMemoryImage old = test::RandomImage(1);
    ASSERT_FALSE(SaveDataFile(dir / "a.dat", old));
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    error = SaveDataFile(dir / "a.dat", test::RandomImage(2));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(error);
    EXPECT_NE(DescribeFileError(*error).find("a.dat"), std::string::npos);
    CMemoryImage loaded;
    ASSERT_FALSE(LoadDataFile(dir / "a.dat", loaded));
    EXPECT_EQ(loaded, old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "the temporary file is removed";
}

// A save replaces the contents of the file a.dat leads to, keeping its mode, and every link on
// the way stays a link.
TEST(DataFile, SavingKeepsTheFileItNamesAndItsMode) {
    namespace fs = std::filesystem;
    const struct {
        const char* what;
        bool existed;                                         // else only its folder is there
        std::vector<std::pair<const char*, const char*>> links; // name, target ("/": absolute)
    } cases[] = {
        {"plain file", true, {}},
        {"absolute link", true, {{"a.dat", "/real/x.dat"}}},
        {"relative link through a link", true, {{"b.dat", "real/x.dat"}, {"a.dat", "b.dat"}}},
        {"link to a file not there yet", false, {{"a.dat", "real/x.dat"}}},
    };
    const CMemoryImage saved = test::RandomImage(5);
    const mode_t mask = ::umask(027);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTempDir dir;
        const fs::path file = c.links.empty() ? dir / "a.dat" : dir / "real" / "x.dat";
        fs::create_directories(file.parent_path());
        if (c.existed) {
            WriteFile(file, CMemoryImage::kSize, 0x00);
            fs::permissions(file, fs::perms(0640));
        }
        for (const auto& [name, target] : c.links)
            fs::create_symlink(*target == '/' ? dir.Path().string() + target : target, dir / name);
        ASSERT_FALSE(SaveDataFile(dir / "a.dat", saved));
        EXPECT_EQ(fs::is_symlink(dir / "a.dat"), !c.links.empty());
        CMemoryImage loaded;
        ASSERT_FALSE(LoadDataFile(file, loaded));
        EXPECT_EQ(loaded, saved);
        EXPECT_EQ(fs::file_size(file), 16384u);
        // A new file takes the mode the user's mask allows.
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
        for (const auto& entry : fs::directory_iterator(file.parent_path()))
            EXPECT_FALSE(
                entry.path().filename().string().starts_with(file.filename().string() + "."))
                << entry.path() << " left beside the file";
    }
    EXPECT_EQ(::umask(mask), mode_t(027)); // the program's mask as it was
}

} // namespace
} // namespace tarsel
