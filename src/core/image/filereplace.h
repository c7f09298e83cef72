// Writing a file so that a failure never leaves half of it: the new bytes go to a temporary file
// beside the target, reach the disk, and are renamed over the target; the folder is then synced so
// that the new name survives a power cut. Used by the data files and the settings file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include <sys/types.h>

namespace tarsel {

// A file descriptor closed on every way out.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : fd_(fd) {}
    ~CFileDescriptor();
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now; false (errno set) when the close reported an error, which for a written file
    // can be the first sign of a full disk.
    bool Close();

private:
    int fd_;
};

// Reads until buffer is full or the end of the file; the count, or -1 with errno set.
ssize_t ReadUpTo(int fd, std::span<uint8_t> buffer);
bool WriteAll(int fd, std::span<const uint8_t> bytes);

// The file a path names once every symbolic link on the last step is followed, also when the
// last link points to a file that does not exist yet. The path itself when it is no link.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

struct CReplaceOptions {
    // Permissions of a file that did not exist; nothing: 0666 less the umask. An existing file
    // keeps its own, and its owner when root writes it.
    std::optional<mode_t> newFileMode;
    // When the folder allows no new file (but the file may be written), rewrite it in place.
    bool inPlaceWhenFolderIsClosed = false;
};

// Replaces the contents of the file path names (through symbolic links: the link stays, its
// target changes). Returns 0, or the errno of the step that failed; the old file is then whole.
int ReplaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                const CReplaceOptions& options = {});

} // namespace tarsel
