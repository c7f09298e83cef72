// How long a whole `tarsel-cli import-csv` of 256 rows (with the save) and a whole
// `tarsel-cli export-csv` take, and the reading alone. Prints figures; it does not pass or fail.
#include "core/image/bands.h"
#include "core/image/datafile.h"
#include "core/interchange/channelcsv.h"
#include "cliprocess.h"
#include "fullimage.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace tarsel;

const std::string& List256() {
    static const std::string list = WriteChannelCsv(bench::FullImage(), CBandLimits{});
    return list;
}

void BM_ReadList256(benchmark::State& state) {
    for (auto _ : state) {
        const CCsvImport found = ReadChannelCsv(List256(), CBandLimits{}, {});
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ReadList256)->Unit(benchmark::kMicrosecond);

void BM_CliImport256WithSave(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "tarsel-bench-csv";
    std::filesystem::create_directories(folder);
    const std::string file = folder / "radio.dat", list = folder / "in.csv";
    SaveDataFile(file, BuildDefaultImage());
    std::ofstream(list, std::ios::binary) << List256();
    for (auto _ : state)
        if (!bench::RunCli({"import-csv", file, list, "--clear"})) {
            state.SkipWithError("tarsel-cli import-csv failed");
            break;
        }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CliImport256WithSave)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

void BM_CliExport256(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "tarsel-bench-csv";
    std::filesystem::create_directories(folder);
    const std::string file = folder / "radio.dat";
    SaveDataFile(file, bench::FullImage());
    for (auto _ : state)
        if (!bench::RunCli({"export-csv", file})) {
            state.SkipWithError("tarsel-cli export-csv failed");
            break;
        }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CliExport256)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
