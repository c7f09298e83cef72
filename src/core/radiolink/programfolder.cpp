#include "core/radiolink/programfolder.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

#ifndef TARSEL_SHARED_FOLDER
#define TARSEL_SHARED_FOLDER "../share/tarsel"
#endif

namespace tarsel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsName = "Program.ini";
constexpr const char* kUserFolderName = "tarsel";

} // namespace

fs::path ProgramFolder() {
    std::error_code error;
    const auto exe = fs::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) return fs::current_path(error);
    return exe.parent_path();
}

CProgramFiles::CProgramFiles(fs::path folder) {
    settings = folder / kSettingsName;
    folders.push_back(std::move(folder));
}

fs::path CProgramFiles::FolderOf(std::string_view name) const {
    std::error_code error;
    for (const fs::path& folder : folders)
        if (fs::is_regular_file(folder / name, error)) return folder;
    return folders.empty() ? fs::path() : folders.front();
}

CProgramFiles LocateProgramFiles(const CProgramPlace& place) {
    const bool installed = !place.sharedFolder.empty();
    if (!installed && place.exeFolderWritable) return CProgramFiles(place.exeFolder);

    const fs::path shipped = installed ? place.sharedFolder : place.exeFolder;
    if (place.configHome.empty()) return CProgramFiles(shipped);
    const fs::path user = place.configHome / kUserFolderName;
    CProgramFiles files;
    files.folders = {user, shipped};
    files.settings = user / kSettingsName;
    files.settingsSeed = shipped / kSettingsName;
    return files;
}

CProgramPlace ThisProgramPlace() {
    CProgramPlace place;
    place.exeFolder = ProgramFolder();
    std::error_code error;
    const fs::path shared = (place.exeFolder / TARSEL_SHARED_FOLDER).lexically_normal();
    if (fs::is_directory(shared, error)) place.sharedFolder = shared;
    const fs::path local = place.exeFolder / kSettingsName;
    place.exeFolderWritable = fs::exists(local, error)
                                  ? ::access(local.c_str(), W_OK) == 0
                                  : ::access(place.exeFolder.c_str(), W_OK | X_OK) == 0;
    place.configHome = UserConfigFolder();
    return place;
}

fs::path PrepareSettingsFile(const CProgramFiles& files) {
    std::error_code error;
    if (files.settings.empty() || fs::exists(files.settings, error)) return files.settings;
    fs::create_directories(files.settings.parent_path(), error);
    // The shipped file carries the model text, the About texts and the version table.
    if (!files.settingsSeed.empty() && fs::is_regular_file(files.settingsSeed, error))
        fs::copy_file(files.settingsSeed, files.settings, error);
    return files.settings;
}

fs::path UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // Relative values are invalid by the XDG rules and are ignored.
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return fs::path(home) / ".config";
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return fs::path(found->pw_dir) / ".config";
    return {};
}

} // namespace tarsel
