// Runs tarsel-cli as a user would and captures what it says.
#pragma once

#include "../core/testimage.h"
#include "core/image/channeltable.h"
#include "core/image/datafile.h"

#include <gtest/gtest.h>

#include <filesystem>
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

// A data file that must load.
inline CMemoryImage LoadImage(const std::filesystem::path& path) {
    CMemoryImage image;
    EXPECT_FALSE(LoadDataFile(path, image)) << path;
    return image;
}

// An address that the clone transfers (read, write) carry.
inline bool InClone(std::size_t address) { return InRanges(address, map::kCloneRanges); }

// The image as "写频" and "normalise" prepare it.
inline CMemoryImage Normalised(CMemoryImage image) {
    CBandLimits limits;
    NormaliseThroughTable(image, limits);
    return image;
}

// tarsel-cli with a settings file of its own in a temporary folder.
class CCliTest : public ::testing::Test {
protected:
    CTempDir dir;
    std::string settings = (dir / "Program.ini").string();

    CCliResult Cli(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--settings", settings});
        return RunCli(args);
    }
};

} // namespace tarsel::test
