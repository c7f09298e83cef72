// The settings file "Program.ini". Every read and write opens the file anew, so that a value edited
// by hand or by another instance is seen at once; nothing is cached.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

class CSettingsFile {
public:
    // Creates the file empty when it is missing. Failures are not reported: reads then give the
    // defaults and writes return false.
    explicit CSettingsFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }

    // The value, unquoted and cut to 259 bytes; empty when the key is missing.
    std::string ReadText(std::string_view section, std::string_view key) const;
    // The value as a number ("55zz" is 55, "0x1F" is 31); fallback when the key is missing or
    // its value empty.
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // Lists the section's entries: the text before each entry's first '=' goes to keys, the text
    // after it to values; an entry without '=' gives an empty key and the whole entry as value.
    // Returns the number of keys.
    int ReadSection(std::string_view section, std::vector<std::string>& keys,
                    std::vector<std::string>& values) const;

    // Store one key and keep every other line of the file. False when the file could not be
    // written or the text would break the file's structure (a line break, a NUL, '=' in a key).
    bool WriteText(std::string_view section, std::string_view key, std::string_view text);
    bool WriteInteger(std::string_view section, std::string_view key, int value);

private:
    std::filesystem::path path_;
};

// The settings file of this program (see programfolder.h), made ready for use.
std::filesystem::path DefaultSettingsPath();

} // namespace tarsel
