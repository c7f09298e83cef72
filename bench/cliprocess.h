// Runs the command-line tool as a whole process, as a script would, for the benchmarks that time
// start, work and exit together.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace tarsel::bench {

// tarsel-cli with these arguments, its output to /dev/null; whether it exited with 0.
inline bool RunCli(std::vector<std::string> args) {
    const std::string cli = std::string(TARSEL_BIN_DIR) + "/tarsel-cli";
    args.insert(args.begin(), cli);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool started =
        posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (started) waitpid(pid, &status, 0);
    return started && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace tarsel::bench
