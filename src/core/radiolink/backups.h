// The automatic backups of radio images: every complete read and every image sent, kept as data
// files in one folder, the newest kBackupsKept of them. A backup is a courtesy: it never stops a
// transfer, so every failure comes back as a value for the caller to warn about.
#pragma once

#include "core/image/memoryimage.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarsel {

enum class EBackupKind { Read, Write, Initialise };

inline constexpr std::size_t kBackupsKept = 200;

// "read", "write", "init": the last part of a backup's name.
const char* BackupKindName(EBackupKind kind);

struct CBackupEntry {
    std::filesystem::path path;
    std::string time; // "2024-05-01 13:45:09", local time, from the name
    EBackupKind kind = EBackupKind::Read;
    std::uintmax_t size = 0;
};

// $XDG_DATA_HOME/tarsel/backups, or ~/.local/share/tarsel/backups when that is unset or relative.
std::filesystem::path DefaultBackupFolder();

class CBackupStore {
public:
    using CClock = std::function<std::time_t()>;

    explicit CBackupStore(std::filesystem::path folder = DefaultBackupFolder(), CClock clock = {});

    const std::filesystem::path& Folder() const { return folder_; }

    // Saves image as YYYYMMDD-HHMMSS-KIND.dat (a second one in the same second gets -2, then
    // -3, ...) with the data file's atomic save, then removes the oldest beyond kBackupsKept.
    // Returns the path kept, or the cause in words when nothing could be kept.
    struct CKept {
        std::filesystem::path path;
        std::string error; // empty when kept
        bool Kept() const { return error.empty(); }
    };
    CKept Keep(EBackupKind kind, const CMemoryImage& image) const;

    // The backups in the folder, newest first; files not named as backups are left out.
    std::vector<CBackupEntry> List() const;

private:
    std::filesystem::path folder_;
    CClock clock_;
};

} // namespace tarsel
