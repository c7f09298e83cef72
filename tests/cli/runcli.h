// Runs tarsel-cli as a user would and captures what it says.
#pragma once

#include "core/image/datafile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tarsel::test {

struct CCliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Starts program with arguments (no shell) and returns at once. Its standard output (error)
// goes to a pipe whose read end is put in *outEnd (*errEnd) when that is given. Gives the process
// id, -1 on failure.
int SpawnProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                 int* outEnd, int* errEnd);

// Runs program with arguments (no shell), waits, and collects both outputs.
CCliResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args);

// While one lives, XDG_DATA_HOME (where the automatic backups go) is folder.
class CDataHomeGuard {
public:
    explicit CDataHomeGuard(const std::filesystem::path& folder) {
        if (const char* saved = std::getenv("XDG_DATA_HOME")) saved_ = saved;
        ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~CDataHomeGuard() {
        saved_ ? ::setenv("XDG_DATA_HOME", saved_->c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    }
    CDataHomeGuard(const CDataHomeGuard&) = delete;
    CDataHomeGuard& operator=(const CDataHomeGuard&) = delete;

private:
    std::optional<std::string> saved_;
};

inline std::filesystem::path CliPath() {
    return std::filesystem::path(TARSEL_BIN_DIR) / "tarsel-cli";
}

inline CCliResult RunCli(const std::vector<std::string>& args) {
    return RunProgram(CliPath(), args);
}

// The lines of a program's output.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A data file that must load.
inline CMemoryImage LoadImage(const std::filesystem::path& path) {
    CMemoryImage image;
    EXPECT_FALSE(LoadDataFile(path, image)) << path;
    return image;
}

} // namespace tarsel::test
