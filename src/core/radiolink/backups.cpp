#include "core/radiolink/backups.h"

#include "core/image/datafile.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace tarsel {

namespace {

constexpr std::array kKinds{EBackupKind::Read, EBackupKind::Write, EBackupKind::Initialise};
constexpr std::size_t kStampLength = 15; // YYYYMMDD-HHMMSS

bool Digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What a backup's name says; nothing for any other file.
struct CName {
    std::string stamp;
    EBackupKind kind;
    int sequence; // 1 without a suffix
};

std::optional<CName> ParseName(std::string_view name) {
    if (!name.ends_with(".dat") || name.size() < kStampLength + 2) return std::nullopt;
    name.remove_suffix(4);
    const std::string_view stamp = name.substr(0, kStampLength);
    if (!Digits(stamp.substr(0, 8)) || stamp[8] != '-' || !Digits(stamp.substr(9, 6)) ||
        name[kStampLength] != '-')
        return std::nullopt;
    std::string_view rest = name.substr(kStampLength + 1);
    int sequence = 1;
    if (const std::size_t dash = rest.find('-'); dash != rest.npos) {
        const std::string_view suffix = rest.substr(dash + 1);
        if (!Digits(suffix) || suffix.size() > 6 || suffix == "1" || suffix.front() == '0')
            return std::nullopt;
        sequence = std::stoi(std::string(suffix));
        rest = rest.substr(0, dash);
    }
    for (const EBackupKind kind : kKinds)
        if (rest == BackupKindName(kind)) return CName{std::string(stamp), kind, sequence};
    return std::nullopt;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return ".";
}

std::string Stamp(std::time_t now) {
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

struct CFound {
    CName name;
    std::filesystem::path path;
};

// Newest first: by the second, then by the suffix within it.
std::vector<CFound> Scan(const std::filesystem::path& folder) {
    std::vector<CFound> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        if (auto name = ParseName(it->path().filename().string()))
            found.push_back({std::move(*name), it->path()});
    }
    std::sort(found.begin(), found.end(), [](const CFound& a, const CFound& b) {
        if (a.name.stamp != b.name.stamp) return a.name.stamp > b.name.stamp;
        return a.name.sequence > b.name.sequence;
    });
    return found;
}

} // namespace

const char* BackupKindName(EBackupKind kind) {
    switch (kind) {
    case EBackupKind::Read:
        return "read";
    case EBackupKind::Write:
        return "write";
    case EBackupKind::Initialise:
        return "init";
    }
    return "read";
}

std::filesystem::path DefaultBackupFolder() {
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && xdg[0] == '/')
        data = xdg;
    else
        data = std::filesystem::path(HomeFolder()) / ".local" / "share";
    return data / "tarsel" / "backups";
}

CBackupStore::CBackupStore(std::filesystem::path folder, CClock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::time(nullptr); };
}

CBackupStore::CKept CBackupStore::Keep(EBackupKind kind, const CMemoryImage& image) const {
    CKept kept;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        kept.error = "cannot make '" + folder_.string() + "': " + error.message();
        return kept;
    }
    const std::string stamp = Stamp(clock_());
    std::vector<CFound> found = Scan(folder_);
    int sequence = 0; // none in this second yet
    for (const CFound& f : found)
        if (f.name.stamp == stamp) sequence = std::max(sequence, f.name.sequence);
    std::string name = stamp + "-" + BackupKindName(kind);
    if (sequence > 0) name += "-" + std::to_string(sequence + 1);
    kept.path = folder_ / (name + ".dat");
    if (const auto failure = SaveDataFile(kept.path, image)) {
        kept.error = DescribeFileError(*failure);
        return kept;
    }
    found = Scan(folder_);
    for (std::size_t i = kBackupsKept; i < found.size(); ++i)
        std::filesystem::remove(found[i].path, error);
    return kept;
}

std::vector<CBackupEntry> CBackupStore::List() const {
    std::vector<CBackupEntry> entries;
    for (const CFound& f : Scan(folder_)) {
        const std::string& s = f.name.stamp;
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(f.path, error);
        entries.push_back({.path = f.path,
                           .time = s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) +
                                   " " + s.substr(9, 2) + ":" + s.substr(11, 2) + ":" +
                                   s.substr(13, 2),
                           .kind = f.name.kind,
                           .size = error ? 0 : size});
    }
    return entries;
}

} // namespace tarsel
