#include "core/image/datafile.h"

#include "core/image/channelrecord.h"
#include "core/image/dtmfdigits.h"
#include "core/image/filereplace.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {

namespace {

// Opens a file for reading that is not a folder; -1 with errno otherwise.
int OpenForReading(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int cause = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        errno = cause;
        return -1;
    }
    return fd;
}

struct CSettingByte {
    uint16_t offset;
    uint8_t value;
};

// The settings a new radio set-up starts from.
constexpr CSettingByte kDefaultSettings[] = {
    {map::kFixedBlockInChannels + 7, 0x0A},
    {map::kSettingsTimeOut, 0x1E},
    {map::kSettings42, 0x04},
    {map::kSettings43, 0x04},
    {map::kSettings44, 0x04},
    {map::kSettings46, 0x05},
    {map::kSettingsUnedited47, 0x01},
    {map::kSettings48, 0x03},
    {map::kSettingsBits49, 0x0E},
    {map::kSettingsBits4A, 0x90},
    {map::kSettingsBits4B, 0x28},
    {map::kSettingsBits4C, 0x8A},
    {map::kSettingsBits4D, 0x0D},
    {map::kDtmfRate, 0x32},
    {map::kDtmfFirstDigitDelay, 0x04},
    {map::kDtmfFirstDigitTime, 0x02},
    {map::kDtmfStarHashTime, 0x02},
    {map::kDtmfGroupCallCode, 0x0E},
    {map::kDtmfAutoResetTime, 0x0A},
    {map::kDtmfFlags, 0x45},
    {map::kDtmfDecodeTime, 0xFA},
    {map::kDtmfWaitTime, 0x0A},
    {map::kDtmfAniSeparator, 0x0E},
};

constexpr const char* kDefaultOwnId = "100";

void WriteDtmfDigits(CMemoryImage& image, std::size_t offset, std::string_view digits) {
    for (char c : digits) image[offset++] = DtmfCodeFromChar(c);
}

} // namespace

std::string DescribeFileError(const CFileError& error) {
    const std::string name = "'" + error.path.string() + "'";
    switch (error.kind) {
    case CFileError::Kind::CannotOpen:
        return "cannot open " + name + ": " + std::strerror(error.error);
    case CFileError::Kind::NotAFile:
        return "cannot open " + name + ": it is a folder, not a data file";
    case CFileError::Kind::TooShort:
        return "cannot read " + name + ": it holds " + std::to_string(error.size) +
               " bytes, a data file holds " + std::to_string(CMemoryImage::kSize);
    case CFileError::Kind::ReadFailed:
        return "cannot read " + name + ": " + std::strerror(error.error);
    case CFileError::Kind::WriteFailed:
        return "cannot save " + name + ": " + std::strerror(error.error);
    }
    return name;
}

std::optional<CFileError> LoadDataFile(const std::filesystem::path& path, CMemoryImage& image) {
    CFileDescriptor file(OpenForReading(path));
    if (file.Get() < 0) {
        const int cause = errno;
        if (cause == EISDIR) return CFileError{CFileError::Kind::NotAFile, path, cause};
        return CFileError{CFileError::Kind::CannotOpen, path, cause};
    }
    CMemoryImage loaded;
    const ssize_t count = ReadUpTo(file.Get(), loaded.Bytes());
    if (count < 0) return CFileError{CFileError::Kind::ReadFailed, path, errno};
    return ImageFromFileBytes(
        std::span<const uint8_t>(loaded.Bytes()).first(static_cast<std::size_t>(count)), path,
        image);
}

std::optional<CFileError> ImageFromFileBytes(std::span<const uint8_t> bytes,
                                             const std::filesystem::path& name,
                                             CMemoryImage& image) {
    if (bytes.size() < CMemoryImage::kSize)
        return CFileError{CFileError::Kind::TooShort, name, 0, bytes.size()};
    std::copy_n(bytes.begin(), CMemoryImage::kSize, image.Bytes().begin());
    return std::nullopt;
}

std::optional<CFileError> SaveDataFile(const std::filesystem::path& path,
                                       const CMemoryImage& image) {
    return SaveFileReplacing(path, image.Bytes());
}

std::optional<CFileError> SaveFileReplacing(const std::filesystem::path& path,
                                            std::span<const uint8_t> bytes) {
    if (const int cause = ReplaceFile(path, bytes); cause != 0)
        return CFileError{CFileError::Kind::WriteFailed, path, cause};
    return std::nullopt;
}

std::optional<CFileError> LoadTextFile(const std::filesystem::path& path, std::string& text) {
    CFileDescriptor file(OpenForReading(path));
    if (file.Get() < 0) {
        const int cause = errno;
        if (cause == EISDIR) return CFileError{CFileError::Kind::NotAFile, path, cause};
        return CFileError{CFileError::Kind::CannotOpen, path, cause};
    }
    std::string loaded;
    std::array<uint8_t, 65536> chunk;
    for (;;) {
        const ssize_t count = ReadUpTo(file.Get(), chunk);
        if (count < 0) return CFileError{CFileError::Kind::ReadFailed, path, errno};
        loaded.append(reinterpret_cast<const char*>(chunk.data()), static_cast<std::size_t>(count));
        if (static_cast<std::size_t>(count) < chunk.size()) break;
    }
    text = std::move(loaded);
    return std::nullopt;
}

CMemoryImage BuildDefaultImage() {
    CMemoryImage image;
    for (int channel = 1; channel <= map::kChannelCount; ++channel)
        WriteDefaultRecord(image, channel);
    for (const auto& setting : kDefaultSettings) image[setting.offset] = setting.value;
    WriteDtmfDigits(image, map::kDtmfOwnId, kDefaultOwnId);
    // First auto-dial row: "100", the star code, "100" again.
    WriteDtmfDigits(image, map::kDtmfCodeList, kDefaultOwnId);
    image[map::kDtmfCodeList + 3] = DtmfCodeFromChar('*');
    WriteDtmfDigits(image, map::kDtmfCodeList + 4, kDefaultOwnId);
    return image;
}

CMemoryImage NewDocumentImage(const std::filesystem::path& programFolder) {
    CFileDescriptor file(OpenForReading(programFolder / kDefaultDataFileName));
    if (file.Get() < 0) return BuildDefaultImage();
    CMemoryImage image;
    // A short file leaves the rest 0xFF; one that fails to read is as good as none.
    if (ReadUpTo(file.Get(), image.Bytes()) < 0) return BuildDefaultImage();
    return image;
}

} // namespace tarsel
