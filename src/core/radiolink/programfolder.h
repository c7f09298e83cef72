// Where the program's own files are: the settings file Program.ini, Default.dat, startup.bmp and
// background.bmp.
//
// A program run from its build folder keeps them all in the folder of its executable, which it may
// write. A program without a writable folder (an installed one above all) looks in the user's own
// folder ($XDG_CONFIG_HOME/tarsel) first, then in the folder that came with it: share/tarsel of the
// installation, or the executable's folder when it is not installed. Its settings file is the
// user's, started as a copy of the one that came with the program.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace tarsel {

// Folder of the running executable (from /proc/self/exe); the current folder when that cannot be
// read, so that a caller always gets a usable path.
std::filesystem::path ProgramFolder();

struct CProgramFiles {
    // Not explicit on purpose: one folder is the whole set-up of a program run from it.
    CProgramFiles(std::filesystem::path folder = {});

    std::vector<std::filesystem::path> folders; // looked in for the files, in this order
    std::filesystem::path settings;             // the settings file read and written
    std::filesystem::path settingsSeed;         // copied to settings when missing; empty: none

    // The first folder that holds a file of that name, else the first folder: a caller then finds
    // the file missing and falls back as it did with a single program folder.
    std::filesystem::path FolderOf(std::string_view name) const;
    std::filesystem::path Find(std::string_view name) const { return FolderOf(name) / name; }
};

// What the choice depends on, gathered from the running system by ThisProgramPlace().
struct CProgramPlace {
    std::filesystem::path exeFolder;
    bool exeFolderWritable = true; // its settings file (or, without one, the folder) can be written
    std::filesystem::path sharedFolder; // share/tarsel of an installation; empty when not installed
    std::filesystem::path configHome;   // $XDG_CONFIG_HOME or ~/.config; empty when unknown
};

CProgramFiles LocateProgramFiles(const CProgramPlace& place);
CProgramPlace ThisProgramPlace();
inline CProgramFiles ProgramFiles() { return LocateProgramFiles(ThisProgramPlace()); }

// Makes the settings file's folder and, when the file is missing, copies the seed there. Returns
// the settings path; failures leave a path whose writes fail, as an unwritable file does.
std::filesystem::path PrepareSettingsFile(const CProgramFiles& files);

// $XDG_CONFIG_HOME when absolute, else ~/.config (from $HOME or the password entry); empty when
// neither is known.
std::filesystem::path UserConfigFolder();

} // namespace tarsel
