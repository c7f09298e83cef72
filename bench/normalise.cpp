// How long the grid's fill and parse take, and a whole `tarsel-cli normalise` process.
// Prints figures; it does not pass or fail.
#include "core/image/channeltable.h"
#include "core/image/datafile.h"
#include "cliprocess.h"
#include "fullimage.h"
#include "core/image/finalise.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace tarsel;

using bench::FullImage;

void BM_FillAllRows(benchmark::State& state) {
    const CMemoryImage image = FullImage();
    CChannelTable table;
    for (auto _ : state) {
        CBandLimits limits;
        FillChannelTable(image, limits, table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_FillAllRows)->Unit(benchmark::kMicrosecond);

void BM_ParseAllRowsWithFinalisation(benchmark::State& state) {
    CMemoryImage image = FullImage();
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    for (auto _ : state) {
        ParseChannelTable(table, limits, kProgramVariant, image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_ParseAllRowsWithFinalisation)->Unit(benchmark::kMicrosecond);

void BM_NormaliseImage(benchmark::State& state) {
    const CMemoryImage full = FullImage();
    for (auto _ : state) {
        CMemoryImage image = full;
        CBandLimits limits;
        NormaliseThroughTable(image, limits);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_NormaliseImage)->Unit(benchmark::kMicrosecond);

// The whole process: start, load, normalise, save, exit.
void BM_CliNormaliseProcess(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "tarsel-bench";
    std::filesystem::create_directories(folder);
    const std::string file = folder / "full.dat";
    SaveDataFile(file, FullImage());
    for (auto _ : state)
        if (!bench::RunCli({"normalise", file})) {
            state.SkipWithError("tarsel-cli normalise failed");
            break;
        }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CliNormaliseProcess)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
