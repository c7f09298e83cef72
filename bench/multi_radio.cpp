// One write to N radios at once (N = 1, 2, 4, 8), each a tarsel-radiosim process paced at 9600
// baud on a pseudo-terminal of its own. Elapsed time is set against N = 1's (target: N = 4 within
// 1.1 times it); host CPU is this process's own, user and system, over the whole run: the radios
// run in processes of their own and are not counted (target: under 1 % of one core per radio).
#include "core/radiolink/multitransfer.h"
#include "core/radiolink/posixserialport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace tarsel;

// A paced radio in a process of its own; its device path is the first line it prints.
class CRadioProcess {
public:
    CRadioProcess() {
        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const std::string program = std::string(TARSEL_BIN_DIR) + "/tarsel-radiosim";
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--pace"), nullptr};
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        char c = 0;
        pollfd p{out[0], POLLIN, 0};
        while (pid_ > 0 && ::poll(&p, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n')
            device_ += c;
        ::close(out[0]);
    }
    ~CRadioProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    CRadioProcess(const CRadioProcess&) = delete;
    CRadioProcess& operator=(const CRadioProcess&) = delete;

    const std::string& Device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

double ProcessCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

CMemoryImage RandomImage(unsigned seed) {
    std::mt19937 random(seed);
    CMemoryImage image;
    for (auto& b : image.Bytes()) b = static_cast<uint8_t>(random());
    return image;
}

double gSingleElapsed = 0; // N = 1's, for the ratio

void MultiWrite(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    double elapsed = 0, cpu = 0;
    std::size_t done = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<CRadioProcess>> radios;
        std::vector<std::string> devices;
        for (std::size_t i = 0; i < count; ++i) {
            radios.push_back(std::make_unique<CRadioProcess>());
            devices.push_back(radios.back()->Device());
        }
        const CMemoryImage image = RandomImage(7);
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuSeconds();
        const auto results = TransferToAll(ETransfer::Write, image, devices,
                                           [] { return std::make_unique<CPosixSerialPort>(); });
        cpu = ProcessCpuSeconds() - cpuStart;
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        done = 0;
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (results[i].Done())
                ++done;
            else
                std::fprintf(stderr, "%s: %s\n", devices[i].c_str(),
                             DescribeCause(results[i]).c_str());
        }
        state.SetIterationTime(elapsed);
    }
    if (count == 1) gSingleElapsed = elapsed;
    const double ratio = gSingleElapsed > 0 ? elapsed / gSingleElapsed : 0;
    const double cpuPerRadio = 100.0 * cpu / elapsed / static_cast<double>(count);
    state.counters["radios_done"] = static_cast<double>(done);
    state.counters["elapsed_vs_one"] = ratio;
    state.counters["host_cpu_pct_per_radio"] = cpuPerRadio;
    std::printf("N = %zu: %zu of %zu done, elapsed %.3f s = %.3f x one radio's (target for N = 4: "
                "<= 1.1), host CPU %.1f ms = %.3f%% of one core per radio (target < 1%%)\n",
                count, done, count, elapsed, ratio, cpu * 1000.0, cpuPerRadio);
}

BENCHMARK(MultiWrite)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
