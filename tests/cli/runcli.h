// Runs tarsel-cli as a user would and captures what it says.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarsel::test {

struct CCliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs program with arguments (no shell), waits, and collects both outputs.
CCliResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args);

inline std::filesystem::path CliPath() {
    return std::filesystem::path(TARSEL_BIN_DIR) / "tarsel-cli";
}

inline CCliResult RunCli(const std::vector<std::string>& args) {
    return RunProgram(CliPath(), args);
}

} // namespace tarsel::test
