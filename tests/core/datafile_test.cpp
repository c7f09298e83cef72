#include "core/image/datafile.h"

#include "core/image/finalise.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tarsel {
namespace {

using test::Bytes;
using test::CTempDir;
using test::PutBytes;
using test::PutChannel;

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

// A new document reads Default.dat of any length, the rest 0xFF; without one it is the table.
TEST(DataFile, LoadTakesTheFirst16384BytesOrLeavesTheImageAsItWas_NewDocumentsTakeAnyLength) {
    CTempDir dir;
    WriteFile(dir / "short.dat", 16383, 0x00);
    WriteFile(dir / "empty.dat", 0, 0x00);
    std::filesystem::create_directory(dir / "folder.dat");
    std::filesystem::create_symlink("/proc/self/mem", dir / "unreadable.dat");
    const std::tuple<std::string, CFileError::Kind, const char*> cases[] = {
        {"missing.dat", CFileError::Kind::CannotOpen, "No such file"},
        {"short.dat", CFileError::Kind::TooShort, "16383 bytes"},
        {"empty.dat", CFileError::Kind::TooShort, "0 bytes"},
        {"folder.dat", CFileError::Kind::NotAFile, "folder"},
        {"unreadable.dat", CFileError::Kind::ReadFailed, "Input/output error"},
    };
    const CMemoryImage before = test::RandomImage(3);
    for (const auto& [name, kind, words] : cases) {
        CMemoryImage image = before;
        const auto error = LoadDataFile(dir / name, image);
        ASSERT_TRUE(error) << name;
        EXPECT_EQ(error->kind, kind) << name;
        const std::string message = DescribeFileError(*error);
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find(words), std::string::npos) << message;
        EXPECT_EQ(image, before) << name;
    }
    WriteFile(dir / "long.dat", 20000, 0x5A);
    CMemoryImage image;
    ASSERT_FALSE(LoadDataFile(dir / "long.dat", image));
    EXPECT_EQ(image[0x3FFF], 0x5A);

    EXPECT_EQ(NewDocumentImage(dir.Path()), BuildDefaultImage());
    const auto opened = [&](std::size_t size, uint8_t value) {
        WriteFile(dir / "Default.dat", size, value);
        return NewDocumentImage(dir.Path());
    };
    image = opened(100, 0x11);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        ASSERT_EQ(image[i], i < 100 ? 0x11 : 0xFF) << i;
    image = opened(20000, 0x22);
    EXPECT_EQ(image[0], 0x22);
    EXPECT_EQ(image[0x3FFF], 0x22);
    EXPECT_EQ(opened(0, 0), CMemoryImage()) << "an empty file opens: all 0xFF";
    std::filesystem::remove(dir / "Default.dat");
    std::filesystem::create_symlink("/proc/self/mem", dir / "Default.dat");
    EXPECT_EQ(NewDocumentImage(dir.Path()), BuildDefaultImage()) << "an unreadable file";
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



uint32_t Le32(const CMemoryImage& image, std::size_t offset) {
    return image[offset] | image[offset + 1] << 8 | image[offset + 2] << 16 |
           static_cast<uint32_t>(image[offset + 3]) << 24;
}

// A default image with no channel, the option bytes all set and one calibration row.
TEST(Finalise, NoChannelsOptionBitsSlopesAndBandLimits) {
    CMemoryImage image = BuildDefaultImage();
    PutBytes(image, 0x204C, {0xFF, 0xFF, 0xFF, 3, 0});
    PutBytes(image, 0x3F30 + 15, {10, 30, 10}); // row 5 (UHF high power): a, b, c
    FinaliseImage(image, CBandLimits{}, kVariantN);
    EXPECT_EQ(Bytes(image, 0x2E40, 64), std::vector<uint8_t>(64, 0x00));
    EXPECT_EQ(Bytes(image, 0x2E28, 16), std::vector<uint8_t>(16, 0xFF));
    // No current channel; only the cleared option bits change.
    EXPECT_EQ(Bytes(image, 0x204C, 5), (std::vector<uint8_t>{0x9F, 0x3F, 0xCF, 0xFE, 0xFE}));
    EXPECT_EQ(Bytes(image, 0x2E20, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
    // w(2) = 4000000: / 20 = 200000 = 0x030D40, the first rising, the second falling.
    EXPECT_EQ(Bytes(image, 0x3F42 + 30, 6),
              (std::vector<uint8_t>{0x40, 0x0D, 0x03, 0x40, 0x0D, 0x83}));
    EXPECT_EQ(Bytes(image, 0x2E10, 16),
              (std::vector<uint8_t>{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17, 0x00, 0x00,
                                    0x00, 0x40, 0x00, 0x00, 0x00, 0x48}));
}

TEST(Finalise, BitmapsAndFirstPresentMemories) {
    CMemoryImage image = BuildDefaultImage();
    PutChannel(image, 9, 14500000);
    image[RecordOffset(9) + 13] &= static_cast<uint8_t>(~0x08); // scan off
    PutChannel(image, 12, 43500000);                            // A memory in band B: present
    PutChannel(image, 20, 30000000);                            // in no band: absent
    PutChannel(image, 128 + 128, 43500000);                     // B 128
    FinaliseImage(image, CBandLimits{}, kVariantN);
    // A 009 and A 012 present, only A 012 scans, A 020 absent; B 128 present and scanning.
    const std::map<int, int> bits = {{0x2E41, 0x09}, {0x2E51, 0x08}, {0x2E42, 0x00},
                                     {0x2E6F, 0x80}, {0x2E7F, 0x80}, {0x2E20, 9},
                                     {0x2E21, 128}};
    EXPECT_EQ(test::BytesAt(image, bits), bits);
}

TEST(Finalise, CurrentChannelMustNameAPresentMemory) {
    // Memories A 005 and A 010 present: indices 4 and 9.
    // 128 would read B 001's record, which is present here.
    const std::pair<uint8_t, uint8_t> cases[] = {{4, 4}, {9, 9},   {0, 4},   {5, 4},
                                                 {128, 4}, {200, 4}, {0xFF, 4}};
    for (const auto& [current, expected] : cases) {
        CMemoryImage image = BuildDefaultImage();
        PutChannel(image, 5, 14500000);
        PutChannel(image, 10, 14600000);
        PutChannel(image, 129, 14600000);
        image[0x204F] = current;
        FinaliseImage(image, CBandLimits{}, kVariantN);
        EXPECT_EQ(image[0x204F], expected) << int(current);
    }
}

// Bytes outside the blocks the finalisation names stay as they were.
TEST(Finalise, VariantBlocksAndFixedBytes_LeavesUnnamedBytesAlone) {
    const std::vector<uint8_t> fixed = {0xB0, 0x01, 0x04, 0x0A, 0x08, 0x02, 0x88, 0xAA};
    const std::pair<std::size_t, std::size_t> untouched[] = {
        {0x0000, 0x1F70}, {0x1F78, 0x204C}, {0x2051, 0x2E00}, {0x2E22, 0x2E28}, {0x2E38, 0x2E40},
        {0x2E80, 0x2F00}, {0x2F78, 0x3EB0}, {0x3EBA, 0x3F42}, {0x3F66, 0x3F70}, {0x3FAC, 0x4000}};
    const CMemoryImage before = test::RandomImage(11);
    for (int variant : {-1, 0, 1}) {
        CMemoryImage image = before;
        FinaliseImage(image, CBandLimits{}, variant);
        for (const auto& [start, end] : untouched)
            for (std::size_t i = start; i < end; ++i)
                ASSERT_EQ(image[i], before[i]) << std::hex << i;
        const bool he = variant <= 0;
        int weighted = 0; // each byte of the variant block by its position: a moved byte shows
        for (int i = 0; i < (he ? 110 : 54); ++i) weighted += (i + 1) * image[0x2F01 + i];
        EXPECT_EQ(weighted, he ? 399508 : 107227);
        EXPECT_EQ(image[0x2F00], he ? 0x6E : 0x36);
        const std::size_t restStart = 0x2F01 + (he ? 110 : 54);
        EXPECT_EQ(Bytes(image, restStart, 0x2F70 - restStart),
                  std::vector<uint8_t>(0x2F70 - restStart, 0xFF));
        EXPECT_EQ(Bytes(image, 0x2F70, 8), fixed);
        EXPECT_EQ(Bytes(image, 0x1F70, 8), fixed);
        EXPECT_EQ(Bytes(image, 0x2E00, 16),
                  (std::vector<uint8_t>{'T', 'Z', '-', '3', '1', '6', 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                        0xFF, 0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(Bytes(image, 0x3EB0, 10),
                  (std::vector<uint8_t>{66, 59, 53, 47, 40, 34, 28, 21, 15, 8}));
    }
}

// Each hardware range's low, high, middle and the two quarter points; the UHF range follows the
// bands when both lie inside it, the others keep their fixed values.
TEST(Finalise, CalibrationFrequencies) {
    const uint32_t vhf[5] = {13600000, 17400000, 15500000, 14900000, 16100000};
    const uint32_t mid[5] = {20000000, 26000000, 23000000, 22000000, 24000000};
    const std::pair<CBandLimits, std::array<uint32_t, 5>> cases[] = {
        {CBandLimits{}, {40000000, 48000000, 44000000, 42700000, 45300000}},
        {CBandLimits{{40000000, 43000000}, {42000000, 52000000}},
         {40000000, 52000000, 46000000, 44000000, 48000000}},
    };
    for (const auto& [limits, uhf] : cases) {
        CMemoryImage image = BuildDefaultImage();
        FinaliseImage(image, limits, kVariantN);
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(Le32(image, 0x3F70 + 4 * k), vhf[k]) << k;
            EXPECT_EQ(Le32(image, 0x3F84 + 4 * k), mid[k]) << k;
            EXPECT_EQ(Le32(image, 0x3F98 + 4 * k), uhf[k]) << k;
        }
    }
}

} // namespace
} // namespace tarsel
