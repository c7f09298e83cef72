#include "core/image/filereplace.h"

#include <cerrno>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {

namespace fs = std::filesystem;

namespace {

// As the kernel allows when it resolves a path.
constexpr int kMaxLinkHops = 40;

mode_t NewFileMode(const CReplaceOptions& options) {
    if (options.newFileMode) return *options.newFileMode;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable; a folder that cannot be opened or synced (some network file
// systems) is no reason to report a save that has been done as failed.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

int RewriteInPlace(const fs::path& target, std::span<const uint8_t> bytes, mode_t mode) {
    CFileDescriptor direct(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
    if (direct.Get() < 0 || !WriteAll(direct.Get(), bytes) || ::fsync(direct.Get()) != 0 ||
        !direct.Close())
        return errno;
    return 0;
}

} // namespace

CFileDescriptor::~CFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

bool CFileDescriptor::Close() { return ::close(std::exchange(fd_, -1)) == 0; }

ssize_t ReadUpTo(int fd, std::span<uint8_t> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + total, buffer.size() - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(total);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + total, bytes.size() - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        total += static_cast<std::size_t>(n);
    }
    return true;
}

fs::path FollowLinks(const fs::path& path) {
    fs::path target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

int ReplaceFile(const fs::path& path, std::span<const uint8_t> bytes,
                const CReplaceOptions& options) {
    const fs::path target = FollowLinks(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    const mode_t mode = existed ? (old.st_mode & 07777) : NewFileMode(options);

    std::string temporary = target.string() + ".XXXXXX";
    CFileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        if (options.inPlaceWhenFolderIsClosed) return RewriteInPlace(target, bytes, mode);
        return errno;
    }
    int cause = 0;
    if (!WriteAll(file.Get(), bytes) || ::fchmod(file.Get(), mode) != 0 ||
        // Keep the owner when an administrator saves someone else's file.
        (existed && ::geteuid() == 0 && ::fchown(file.Get(), old.st_uid, old.st_gid) != 0) ||
        ::fsync(file.Get()) != 0 || !file.Close() ||
        ::rename(temporary.c_str(), target.c_str()) != 0)
        cause = errno;
    if (cause != 0) {
        ::unlink(temporary.c_str());
        return cause;
    }
    SyncFolder(target.parent_path());
    return 0;
}

} // namespace tarsel
