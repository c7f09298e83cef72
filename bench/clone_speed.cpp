// A full clone read, a full clone write and a write read back for verification, against the
// virtual radio paced at 9600 baud over a pseudo-terminal. The wire limit is the time every byte
// exchanged, in both directions, takes on the line (ten bits a byte); a host that keeps up stays
// close to it. Host CPU is this thread's own: the radio runs on a thread of its own and is not
// counted.
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/transfer.h"
#include "radiosim/virtualradio.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <time.h>

namespace {

using namespace tarsel;

struct CFigures {
    double elapsed = 0; // seconds
    double wire = 0;
    double hostCpu = 0;
    std::size_t bytes = 0;
    bool done = false;
};

double ThreadCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

CMemoryImage RandomImage(unsigned seed) {
    std::mt19937 random(seed);
    CMemoryImage image;
    for (auto& b : image.Bytes()) b = static_cast<uint8_t>(random());
    return image;
}

CFigures Measure(ETransfer transfer, bool verify = false) {
    radiosim::CConfig config;
    config.pace = true;
    radiosim::CVirtualRadio radio(config);
    radio.Start();
    radio.SetMemory(RandomImage(1).Bytes());
    CPosixSerialPort port;
    CMemoryImage image = RandomImage(2);

    CFigures figures;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    const CExchangeResult result =
        transfer == ETransfer::Read
            ? ReadRadio(port, radio.DevicePath(), image)
            : WriteRadio(port, radio.DevicePath(), image, {}, {.verify = verify});
    figures.hostCpu = ThreadCpuSeconds() - cpuStart;
    figures.elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures.done = result.Done();
    if (!figures.done) std::fprintf(stderr, "transfer failed: %s\n", DescribeCause(result).c_str());

    // The end marker is on the line when the host returns; count it once the radio has it.
    // After a verified write the reading back's "ENDR" comes last.
    radio.WaitFor(
        [verify](const radiosim::CCounters& c) {
            return verify ? c.endReads > 0 : c.endReads + c.endWrites > 0;
        },
        std::chrono::seconds(2));
    for (const radiosim::CFrame& frame : radio.Frames())
        if (radiosim::DirectionOf(frame.kind) != radiosim::EDirection::Event)
            figures.bytes += frame.bytes.size();
    figures.wire = static_cast<double>(figures.bytes) * 10.0 / 9600.0;
    return figures;
}

void Report(benchmark::State& state, const char* name, const CFigures& f) {
    state.counters["bytes"] = static_cast<double>(f.bytes);
    state.counters["wire_s"] = f.wire;
    state.counters["elapsed_per_wire"] = f.elapsed / f.wire;
    state.counters["host_cpu_ms"] = f.hostCpu * 1000.0;
    state.counters["host_cpu_pct"] = 100.0 * f.hostCpu / f.elapsed;
    std::printf("%s: %s, %zu bytes, elapsed %.3f s, wire limit %.3f s, ratio %.4f (target <= "
                "1.03), host CPU %.1f ms = %.2f%% of elapsed (target <= 2%%)\n",
                name, f.done ? "done" : "FAILED", f.bytes, f.elapsed, f.wire, f.elapsed / f.wire,
                f.hostCpu * 1000.0, 100.0 * f.hostCpu / f.elapsed);
}

void FullRead(benchmark::State& state) {
    CFigures figures;
    for (auto _ : state) {
        figures = Measure(ETransfer::Read);
        state.SetIterationTime(figures.elapsed);
    }
    Report(state, "full read", figures);
}

void FullWrite(benchmark::State& state) {
    CFigures figures;
    for (auto _ : state) {
        figures = Measure(ETransfer::Write);
        state.SetIterationTime(figures.elapsed);
    }
    Report(state, "full write", figures);
}

// Both exchanges as one run: the wire limit counts every byte of the two.
void FullWriteAndVerify(benchmark::State& state) {
    CFigures figures;
    for (auto _ : state) {
        figures = Measure(ETransfer::Write, true);
        state.SetIterationTime(figures.elapsed);
    }
    Report(state, "full write + verify", figures);
}

BENCHMARK(FullRead)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(FullWrite)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(FullWriteAndVerify)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
