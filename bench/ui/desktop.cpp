// The desktop program's speed: start-up to the first painted main window (a whole process, on the
// display in $DISPLAY, e.g. under xvfb-run), a refill of the channel list's 258 rows, and an undo
// and a redo of one grid edit with the list shown again.
// Prints figures; it does not pass or fail.
#include "../fullimage.h"
#include "ui/channelview/channelmodel.h"
#include "ui/channelview/programview.h"
#include "ui/shell/programdoc.h"

#include <QUndoStack>

#include <QApplication>
#include <benchmark/benchmark.h>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace tarsel;

using bench::FullImage;

// A document of the full image in its list, on screen.
struct CShownList {
    CProgramState program;
    ui::CProgramDoc doc{{}, FullImage()};
    ui::CProgramView view{doc, program};
    CShownList() {
        view.resize(900, 700);
        view.show();
        QApplication::processEvents();
    }
};

void BM_GridFillAllRows(benchmark::State& state) {
    CShownList shown;
    ui::CProgramView& view = shown.view;
    for (auto _ : state) {
        view.FillFromImage();
        view.repaint(); // the fill is done when the rows are on screen
    }
}
BENCHMARK(BM_GridFillAllRows)->Unit(benchmark::kMillisecond);

// 200 grid edits, each one step; then one undo and one redo per iteration, the list refilled by
// each (argument 1: and repainted on the spot, as the next frame would).
// The counter is what the 200 steps hold (whole-content snapshots, shared between neighbours).
void BM_UndoRedoOneStep(benchmark::State& state) {
    CShownList shown;
    ui::CProgramDoc& doc = shown.doc;
    ui::CProgramView& view = shown.view;
    constexpr int kSteps = 200;
    for (int i = 0; i < kSteps; ++i)
        view.Model()->CommitEdit(view.Model()->index(i % 128, 0),
                                 QString::number(145.0 + 0.0125 * i, 'f', 4));
    const bool paint = state.range(0) != 0;
    for (auto _ : state) {
        doc.UndoStack()->undo();
        if (paint) view.repaint();
        doc.UndoStack()->redo();
        if (paint) view.repaint();
    }
    // Neighbouring steps share their contents, so the history holds one content per step (the
    // grid's short texts live inside their strings).
    state.counters["steps"] = doc.UndoStack()->count();
    state.counters["history_MiB"] =
        double(doc.UndoStack()->count() + 1) * sizeof(CDocumentContent) / (1024.0 * 1024.0);
}
BENCHMARK(BM_UndoRedoOneStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// From starting the process to its main window's first paint.
void BM_StartUpToFirstPaint(benchmark::State& state) {
    const std::string program = std::string(TARSEL_BIN_DIR) + "/tarsel";
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under xvfb-run");
        return;
    }
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        if (std::string_view(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) environment.emplace_back(*e);
    environment.emplace_back("TARSEL_EXIT_AFTER_FIRST_PAINT=1");
    std::vector<char*> envp;
    for (auto& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) break;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        pid_t pid = 0;
        const auto start = std::chrono::steady_clock::now();
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        char buffer[64];
        const ssize_t n = read(out[0], buffer, sizeof buffer); // "painted"
        const auto painted = std::chrono::steady_clock::now();
        close(out[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (n <= 0) {
            state.SkipWithError("the program did not report its first paint");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)
    ->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    // The fill runs offscreen; the start-up benchmark starts its own processes on $DISPLAY.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
