// The settings file reader and writer on arbitrary file contents: nothing may crash, and a key
// just written must read back as written.
#include "core/radiolink/settingsfile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Removed after every input: libFuzzer ends with _Exit, which runs no clean-up.
std::string FuzzFilePath() {
    return "/tmp/tarsel-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
}

void Check(const std::uint8_t* data, std::size_t size, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);

    tarsel::CSettingsFile settings(path);
    (void)settings.ReadText("Setup", "Type");
    (void)settings.ReadInteger("Setup", "COM", 0);
    (void)settings.ReadText("Ports", "COM3");
    std::vector<std::string> keys, values;
    const int count = settings.ReadSection("Version", keys, values);
    if (count < 0 || keys.size() != static_cast<std::size_t>(count) || values.size() != keys.size())
        std::abort();

    // Keys and values taken from the input itself reach the odd corners of the parser.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string key = keys.empty() ? "COM" : keys.front();
    const std::string value = text.substr(0, std::min<std::size_t>(text.size(), 16));
    if (settings.WriteText("Setup", key, value)) {
        const std::string back = settings.ReadText("Setup", key);
        // Reading trims and unquotes, so compare only values that neither applies to.
        const bool plain = !value.empty() && value.find_first_of(" \t\v\f\"'") == std::string::npos;
        if (plain && back != value) std::abort();
    }
    if (!settings.WriteInteger("Setup", "COM", static_cast<int>(size)) ||
        settings.ReadInteger("Setup", "COM", -1) != static_cast<int>(size))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzFilePath();
    Check(data, size, path);
    ::unlink(path.c_str());
    return 0;
}
