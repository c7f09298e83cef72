// Data files (.dat): the 16384-byte image stored raw, no header. And the image a new document
// starts from.
#pragma once

#include "core/image/memoryimage.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace tarsel {

struct CFileError {
    enum class Kind { CannotOpen, NotAFile, TooShort, ReadFailed, WriteFailed };
    Kind kind;
    std::filesystem::path path;
    int error = 0;        // errno where the system gave one
    std::size_t size = 0; // bytes found, for TooShort
};

// One line naming the file and the cause, e.g. "cannot open 'a.dat': No such file or directory".
std::string DescribeFileError(const CFileError& error);

// Reads a data file into image. A file that cannot be read whole (missing, a folder, shorter than
// 16384 bytes) leaves image exactly as it was: half of one image inside another would be worse
// than no load. A longer file gives its first 16384 bytes.
std::optional<CFileError> LoadDataFile(const std::filesystem::path& path, CMemoryImage& image);

// The same rule for a data file's bytes that are already in memory (a file a browser handed over):
// fewer than 16384 refused with image untouched, more give their first 16384. name is only for
// the error.
std::optional<CFileError> ImageFromFileBytes(std::span<const uint8_t> bytes,
                                             const std::filesystem::path& name,
                                             CMemoryImage& image);

// Writes the image beside the target first and renames it over the target only when every byte
// is on disk, so a failed save (no permission, disk full) leaves the old file as it was. Through a
// symbolic link the file it points to is written; the link stays.
std::optional<CFileError> SaveDataFile(const std::filesystem::path& path,
                                       const CMemoryImage& image);

// The same for any bytes (a channel list, say).
std::optional<CFileError> SaveFileReplacing(const std::filesystem::path& path,
                                            std::span<const uint8_t> bytes);

// A whole file as text, for the channel lists. A file that cannot be read leaves text as it was.
std::optional<CFileError> LoadTextFile(const std::filesystem::path& path, std::string& text);

// The built-in image: every channel a default record plus the fixed settings bytes.
CMemoryImage BuildDefaultImage();

// What a new document holds: Default.dat of the program folder when it can be opened and read (up
// to 16384 bytes, the rest left 0xFF), else the built-in image.
CMemoryImage NewDocumentImage(const std::filesystem::path& programFolder);

inline constexpr const char* kDefaultDataFileName = "Default.dat";

} // namespace tarsel
