#include "runcli.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarsel::test {

int SpawnProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                 int* outEnd, int* errEnd) {
    int out[2] = {-1, -1}, err[2] = {-1, -1};
    if ((outEnd && ::pipe2(out, O_CLOEXEC) != 0) || (errEnd && ::pipe2(err, O_CLOEXEC) != 0))
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outEnd) posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (errEnd) posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> argv0 = {program.string()};
    argv0.insert(argv0.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argv0) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    for (const int end : {out[1], err[1]})
        if (end >= 0) ::close(end);
    if (outEnd) *outEnd = out[0];
    if (errEnd) *errEnd = err[0];
    return spawned == 0 ? pid : -1;
}

CCliResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args) {
    int out[1] = {-1}, err[1] = {-1};
    const pid_t pid = SpawnProgram(program, args, out, err);
    CCliResult result;
    if (pid < 0) {
        for (const int end : {out[0], err[0]})
            if (end >= 0) ::close(end);
        return result;
    }
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && ::poll(fds, 2, 30000) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (auto& fd : fds)
        if (fd.fd >= 0) ::close(fd.fd);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace tarsel::test
