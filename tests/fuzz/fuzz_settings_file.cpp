// The settings file on any contents: nothing may crash, and a key just written reads back.
#include "core/radiolink/settingsfile.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Removed after every input: libFuzzer ends with _Exit, which runs no clean-up.
    static const std::string path = "/tmp/tarsel-fuzz-settings-" + std::to_string(::getpid());
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary) << text;
    tarsel::CSettingsFile settings(path);
    (void)settings.ReadInteger("Setup", "COM", 0);
    std::vector<std::string> keys, values;
    const int count = settings.ReadSection("Version", keys, values);
    if (count < 0 || keys.size() != static_cast<std::size_t>(count) || values.size() != keys.size())
        std::abort();
    // A key and a value from the input reach the odd corners of the parser. Reading trims and
    // unquotes, so only values that neither applies to are compared.
    const std::string key = keys.empty() ? "COM" : keys.front();
    const std::string value = text.substr(0, 16);
    const bool plain = !value.empty() && value.find_first_of(" \t\v\f\"'") == std::string::npos;
    if (settings.WriteText("Setup", key, value) && plain &&
        settings.ReadText("Setup", key) != value)
        std::abort();
    if (!settings.WriteInteger("Setup", "COM", static_cast<int>(size)) ||
        settings.ReadInteger("Setup", "COM", -1) != static_cast<int>(size))
        std::abort();
    ::unlink(path.c_str());
    return 0;
}
