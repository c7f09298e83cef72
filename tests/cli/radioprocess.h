// tarsel-radiosim as a child process, for the command-line tests of the radio commands.
#pragma once

#include "runcli.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tarsel::test {

// The device path is the first line the radio prints.
class CRadioProcess {
public:
    explicit CRadioProcess(const std::vector<std::string>& args) {
        int out = -1;
        pid_ = SpawnProgram(std::string(TARSEL_BIN_DIR) + "/tarsel-radiosim", args, &out, nullptr);
        char c = 0;
        pollfd p{out, POLLIN, 0};
        while (pid_ > 0 && ::poll(&p, 1, 5000) > 0 && ::read(out, &c, 1) == 1 && c != '\n')
            device_ += c;
        if (out >= 0) ::close(out);
    }
    // A radio on the memory file `memory` that it writes back when it is stopped.
    static CRadioProcess Saving(const std::string& memory, std::vector<std::string> faults = {}) {
        faults.insert(faults.begin(), {"--memory", memory, "--save-on-exit"});
        return CRadioProcess(faults);
    }
    ~CRadioProcess() { Stop(); }
    CRadioProcess(const CRadioProcess&) = delete;
    CRadioProcess& operator=(const CRadioProcess&) = delete;

    const std::string& Device() const { return device_; }
    // Ends the radio; with --save-on-exit its memory file is complete afterwards.
    void Stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    std::string device_;
};

} // namespace tarsel::test
