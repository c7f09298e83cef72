// Runs tarsel-cli and tarsel-radiosim as a user would and captures what they say.
#pragma once

#include "../core/testimage.h"
#include "core/image/channeltable.h"
#include "core/image/datafile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tarsel::test {

struct CCliResult {
    int status = -1; // the exit status, or minus the signal that ended the program
    std::string out;
    std::string err;
};

// A program started without a shell, its standard output and error on pipes.
class CChild {
public:
    CChild(const std::filesystem::path& program, const std::vector<std::string>& args);
    ~CChild() { Wait(SIGKILL); }
    CChild(const CChild&) = delete;
    CChild& operator=(const CChild&) = delete;

    // The next line of standard output, without waiting more than 5 s.
    std::string ReadLine();
    // Sends signal (none: 0), then collects both outputs until the program ends.
    CCliResult Wait(int signal = 0);

private:
    int pid_ = -1, out_ = -1, err_ = -1;
};

inline std::filesystem::path BinPath(const char* name) {
    return std::filesystem::path(TARSEL_BIN_DIR) / name;
}
inline std::filesystem::path CliPath() { return BinPath("tarsel-cli"); }
inline CCliResult RunProgram(const std::filesystem::path& program,
                             const std::vector<std::string>& args) {
    return CChild(program, args).Wait();
}
inline CCliResult RunCli(const std::vector<std::string>& args) {
    return RunProgram(CliPath(), args);
}

// tarsel-radiosim; the device path is the first line it prints.
class CRadioProcess {
public:
    explicit CRadioProcess(const std::vector<std::string>& args)
        : child_(BinPath("tarsel-radiosim"), args), device_(child_.ReadLine()) {}
    // A radio on the memory file `memory` that it writes back when it is stopped.
    static CRadioProcess Saving(const std::string& memory, std::vector<std::string> faults = {}) {
        faults.insert(faults.begin(), {"--memory", memory, "--save-on-exit"});
        return CRadioProcess(faults);
    }
    const std::string& Device() const { return device_; }
    // With --save-on-exit the memory file is complete afterwards.
    void Stop() { child_.Wait(SIGTERM); }

private:
    CChild child_;
    std::string device_;
};

// The lines of a text, or the cells of a line (separator '\t').
inline std::vector<std::string> Lines(const std::string& text, char separator = '\n') {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, separator);) lines.push_back(line);
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
