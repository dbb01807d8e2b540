// From process start to a shown main window, offscreen. Each iteration starts this
// program again in its child role, which builds the three windows as the desktop
// program does, shows the main window, waits until it is exposed and exits.
// A second figure times the windows alone inside one running application.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QWindow>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/program_folder.h"
#include "ui/program_windows.h"
#include "ui/qt_dialogs.h"
#include "ui/tool_tip_delay_style.h"

extern char** environ;

namespace {

constexpr const char* kChildRole = "--show-main-window";

std::filesystem::path workFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "gravmark-bench-startup";
    std::filesystem::create_directories(folder);
    return folder;
}

void showUntilExposed(gravmark::MainWindow& form) {
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed()) QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

int showMainWindowAndExit(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Gravmark Parser"));
    QApplication::setStyle(new gravmark::ToolTipDelayStyle);
    gravmark::QtDialogs dialogs;
    gravmark::installDialogs(&dialogs);
    gravmark::setProgramFolder(workFolder().string());
    gravmark::ProgramWindows windows;
    showUntilExposed(windows.mainWindow);
    return 0;
}

void BM_ProcessStartToShownMainWindow(benchmark::State& state) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    char* args[] = {const_cast<char*>(self.c_str()), const_cast<char*>(kChildRole), nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, self.c_str(), nullptr, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            return;
        }
    }
}
BENCHMARK(BM_ProcessStartToShownMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_CreateAndShowWindows(benchmark::State& state) {
    gravmark::QtDialogs dialogs;
    gravmark::installDialogs(&dialogs);
    gravmark::setProgramFolder(workFolder().string());
    for (auto _ : state) {
        gravmark::ProgramWindows windows;
        showUntilExposed(windows.mainWindow);
    }
}
BENCHMARK(BM_CreateAndShowWindows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc > 1 && std::strcmp(argv[1], kChildRole) == 0) return showMainWindowAndExit(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(workFolder());
    return 0;
}
