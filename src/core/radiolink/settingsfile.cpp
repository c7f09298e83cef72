#include "core/radiolink/settingsfile.h"

#include "core/image/filereplace.h"
#include "core/radiolink/profiletext.h"
#include "core/radiolink/programfolder.h"

#include <cerrno>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {

namespace fs = std::filesystem;

namespace {

// A settings file is a few hundred bytes; anything this large is not one, and is left alone.
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;

// The file's bytes; empty text when it does not exist, nothing when it cannot be read.
std::optional<std::string> Load(const fs::path& path) {
    CFileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize)
        return std::nullopt;
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return text;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > static_cast<std::size_t>(kMaxFileSize)) return std::nullopt;
    }
}

// Replaces the file through a temporary file and a rename, so that a crash or a full disk never
// leaves half a settings file. A folder that allows no new file gets the file rewritten in place.
bool Store(const fs::path& path, std::string_view text) {
    const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return ReplaceFile(path, bytes, {.newFileMode = 0644, .inPlaceWhenFolderIsClosed = true}) == 0;
}

} // namespace

CSettingsFile::CSettingsFile(fs::path path) : path_(std::move(path)) {
    if (path_.empty() || ::access(path_.c_str(), F_OK) == 0) return;
    CFileDescriptor created(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
}

std::string CSettingsFile::ReadText(std::string_view section, std::string_view key) const {
    const auto text = Load(path_);
    if (!text) return {};
    const auto raw = profile::FindRawValue(*text, section, key);
    return raw ? profile::CleanValue(*raw) : std::string();
}

int CSettingsFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
    const auto text = Load(path_);
    if (!text) return fallback;
    const auto raw = profile::FindRawValue(*text, section, key);
    return raw ? profile::ParseInteger(profile::CleanValue(*raw), fallback) : fallback;
}

int CSettingsFile::ReadSection(std::string_view section, std::vector<std::string>& keys,
                               std::vector<std::string>& values) const {
    keys.clear();
    values.clear();
    const auto text = Load(path_);
    if (!text) return 0;
    for (const std::string& entry : profile::SectionEntries(*text, section)) {
        const std::size_t equals = entry.find('=');
        keys.push_back(equals == std::string::npos ? std::string() : entry.substr(0, equals));
        values.push_back(equals == std::string::npos ? entry : entry.substr(equals + 1));
    }
    return static_cast<int>(keys.size());
}

bool CSettingsFile::WriteText(std::string_view section, std::string_view key,
                              std::string_view text) {
    if (path_.empty() || !profile::IsWritable(section, key, text)) return false;
    const auto old = Load(path_);
    // An unreadable file is not overwritten: it may hold settings we cannot see.
    if (!old) return false;
    return Store(path_, profile::WithValue(*old, section, key, text));
}

bool CSettingsFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteText(section, key, std::to_string(value));
}

fs::path DefaultSettingsPath() { return PrepareSettingsFile(ProgramFiles()); }

} // namespace tarsel
