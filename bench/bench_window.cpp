// The work steps through the real main window, shown offscreen, on generated logs:
//  - LOAD and PARSE of a 1,000,000-line log (about 100 MB), each timed together with the
//    paint that follows it, and the peak memory of the process. Targets: LOAD 1.5 s,
//    PARSE 2.5 s, peak 1.2 GB. With --with-1gb also a 10,000,000-line log (about 1 GB),
//    which must load and parse within memory.
//  - ALL on the 1,000,000-line log with 300 players and every medal ticked, from the press
//    to the saved page with the work files written (target 0.5 s); then the four steps
//    called one by one, to show where the time goes (targets: PARSE 0.3 s, HTML 0.15 s;
//    HTML 0.3 s with --players 5000).
// Each run is a child process of its own with a fresh program folder, so each peak memory
// figure belongs to its run alone. Logs are generated once into TMPDIR and kept for later
// runs. Options: --runs N (3), --lines N (1000000), --players N (300), --with-1gb.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "common/program_folder.h"
#include "log_generator.h"
#include "ui/program_windows.h"
#include "ui/progress_bar.h"
#include "ui/text_box.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Figures = std::map<std::string, double>;

constexpr const char* kChildRole = "--child";
constexpr int64_t kOneGigabyteLines = 10'000'000;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

fs::path benchRoot() {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path root = fs::path(tmp ? tmp : "/tmp") / "gravmark-bench-window";
    fs::create_directories(root);
    return root;
}

// ---- the child: one run through the windows ----

// Answers the save dialog with index.html in the program folder; any error box fails the run.
class BenchDialogs : public gravmark::Dialogs {
public:
    explicit BenchDialogs(std::string target) : target_(std::move(target)) { gravmark::installDialogs(this); }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override {
        std::fprintf(stderr, "error box: %s\n", text.c_str());
        std::exit(1);
    }
    std::optional<std::string> askSaveFileName() override { return target_; }
    std::optional<std::string> askFolder(const std::string&) override { return std::nullopt; }
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> askSecret(const std::string&) override { return std::nullopt; }

    std::vector<std::string> messages;

private:
    std::string target_;
};

// A fresh program folder holding the log (a hard link: no copy of a gigabyte) and a
// settings file with every medal ticked; removed when the run ends.
class ProgramFolder {
public:
    explicit ProgramFolder(const fs::path& log) {
        std::string name = (benchRoot() / "run-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a program folder");
        path = name;
        std::error_code linkFailed;
        fs::create_hard_link(log, path / "games_mp.log", linkFailed);
        if (linkFailed) fs::copy_file(log, path / "games_mp.log");
        std::ofstream(path / "GravmarkParser.INI", std::ios::binary) << "[Medals]\r\ntnt=1\r\n";
        gravmark::setProgramFolder(path.string());
    }
    ~ProgramFolder() { fs::remove_all(path); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    fs::path path;
};

// Counts the paints of a widget (the rows of a text box: to be sure a timed step paints
// what it showed).
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* viewport) { viewport->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

void showUntilExposed(QWidget& window) {
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed()) QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// A handler and the paint of what it changed.
template <typename Handler>
double timeStep(Handler&& handler) {
    const auto start = Clock::now();
    handler();
    QCoreApplication::processEvents();
    return secondsSince(start);
}

void requireSaved(const BenchDialogs& dialogs, const ProgramFolder& folder) {
    const std::string expected = "Results saved as " + (folder.path / "index.html").string();
    if (dialogs.messages.empty() || dialogs.messages.back() != expected ||
        !fs::exists(folder.path / "index.html")) {
        std::fprintf(stderr, "the page was not saved\n");
        std::exit(1);
    }
}

Figures runRole(const std::string& role, gravmark::MainWindow& form, const BenchDialogs& dialogs,
                const ProgramFolder& folder) {
    Figures figures;
    if (role == "load-parse") {
        const auto* logTextBox = form.findChild<gravmark::TextBox*>(QStringLiteral("Memo1"));
        const PaintCounter memo1(logTextBox->viewport());
        figures["LOAD"] = timeStep([&] { form.load(); });
        if (!logTextBox->isVisible() || form.run.lineCount <= 0 || memo1.paints == 0) {
            std::fprintf(stderr, "LOAD showed nothing\n");
            std::exit(1);
        }
        figures["PARSE"] = timeStep([&] { form.parse(); });
    } else if (role == "all") {
        figures["ALL"] = timeStep([&] { form.findChild<QPushButton*>(QStringLiteral("Button5"))->click(); });
        requireSaved(dialogs, folder);
    } else {
        // The progress bar paints inside the handlers; how often is part of where the time goes.
        const PaintCounter progress(form.findChild<gravmark::ProgressBar*>(QStringLiteral("Progress")));
        figures["LOAD"] = timeStep([&] { form.load(); });
        figures["PARSE"] = timeStep([&] { form.parse(); });
        figures["HTML"] = timeStep([&] { form.buildHtml(); });
        figures["SAVE"] = timeStep([&] { form.save(); });
        figures["sum"] = figures["LOAD"] + figures["PARSE"] + figures["HTML"] + figures["SAVE"];
        figures["progressPaints"] = progress.paints;
        requireSaved(dialogs, folder);
    }
    figures["lines"] = form.run.lineCount;
    if (!form.run.counts.roster.empty()) figures["players"] = static_cast<double>(form.run.counts.roster.size());
    return figures;
}

// Prints "figures NAME=VALUE ..." for the parent.
int runChild(int argc, char** argv, const std::string& role, const fs::path& log) {
    QApplication app(argc, argv);
    ProgramFolder folder(log);
    BenchDialogs dialogs((folder.path / "index.html").string());
    Figures figures;
    {
        gravmark::ProgramWindows windows;
        showUntilExposed(windows.mainWindow);
        figures = runRole(role, windows.mainWindow, dialogs, folder);
    }
    figures["peakMB"] = peakMegabytes();
    std::printf("figures");
    for (const auto& [name, value] : figures) std::printf(" %s=%.3f", name.c_str(), value);
    std::printf("\n");
    return 0;
}

// ---- the parent: logs, runs and the summary ----

fs::path generatedLog(int64_t lines, int players) {
    const std::string shape = std::to_string(lines) + (players == 300 ? "" : "-" + std::to_string(players));
    const fs::path log = benchRoot() / ("log-" + shape + ".log");
    if (fs::exists(log)) return log;
    const auto start = Clock::now();
    gravmark::bench::writeLog(gravmark::bench::LogShape{.lines = lines, .players = players},
                              log.string() + ".part");
    fs::rename(log.string() + ".part", log);
    std::printf("generated %s (%.0f MB) in %.1f s\n", log.c_str(),
                static_cast<double>(fs::file_size(log)) / 1e6, secondsSince(start));
    return log;
}

Figures runChildProcess(const std::string& role, const fs::path& log) {
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string command = "'" + self + "' " + kChildRole + " " + role + " '" + log.string() + "'";
    std::fflush(stdout);
    FILE* child = popen(command.c_str(), "r");
    if (!child) throw std::runtime_error("cannot start a run");
    Figures figures;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, child)) {
        std::istringstream line(buffer);
        std::string word;
        line >> word;
        if (word != "figures") continue;
        while (line >> word) {
            const size_t equals = word.find('=');
            figures[word.substr(0, equals)] = std::atof(word.c_str() + equals + 1);
        }
    }
    if (pclose(child) != 0 || figures.empty()) throw std::runtime_error("a run failed: " + command);
    return figures;
}

// A figure as printed: seconds, megabytes or a count.
std::string shown(const std::string& name, double value) {
    char text[64];
    if (name == "peakMB") {
        std::snprintf(text, sizeof text, "%.0f MB", value);
    } else if (name == "progressPaints") {
        std::snprintf(text, sizeof text, "%.0f", value);
    } else {
        std::snprintf(text, sizeof text, "%.2f s", value);
    }
    return text;
}

// Runs a role `runs` times, printing each run with the load average, then the best of
// each figure; of the peak memory, the highest.
void runAndReport(const std::string& title, const std::string& role, const fs::path& log, int runs,
                  const std::vector<std::pair<std::string, double>>& targets) {
    std::printf("\n== %s: %s ==\n", title.c_str(), log.filename().c_str());
    Figures best;
    for (int run = 1; run <= runs; ++run) {
        const std::string before = loadAverage();
        const Figures figures = runChildProcess(role, log);
        std::printf("run %d: %.0f lines", run, figures.at("lines"));
        if (figures.contains("players")) std::printf(", %.0f players", figures.at("players"));
        std::printf(";");
        for (const auto& [name, target] : targets) {
            const double value = figures.at(name);
            std::printf(" %s %s", name.c_str(), shown(name, value).c_str());
            auto [it, fresh] = best.emplace(name, value);
            if (!fresh)
                it->second = name == "peakMB" ? std::max(it->second, value) : std::min(it->second, value);
        }
        std::printf("   (load average before %s, after %s)\n", before.c_str(), loadAverage().c_str());
    }
    std::printf("best of %d:", runs);
    for (const auto& [name, target] : targets) {
        std::printf(" %s %s", name.c_str(), shown(name, best.at(name)).c_str());
        if (target > 0) {
            std::printf(" (target %s, %s)", shown(name, target).c_str(),
                        best.at(name) <= target ? "met" : "MISSED");
        }
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path runtime = benchRoot() / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    if (argc == 4 && std::strcmp(argv[1], kChildRole) == 0) return runChild(argc, argv, argv[2], argv[3]);

    int runs = 3;
    int64_t lines = 1'000'000;
    int players = 300;
    bool withOneGigabyte = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--with-1gb") withOneGigabyte = true;
        if (option == "--runs" && i + 1 < argc) runs = std::atoi(argv[++i]);
        if (option == "--lines" && i + 1 < argc) lines = std::atoll(argv[++i]);
        if (option == "--players" && i + 1 < argc) players = std::atoi(argv[++i]);
    }
    const fs::path log = generatedLog(lines, players);
    runAndReport("LOAD and PARSE through the shown main window", "load-parse", log, runs,
                 {{"LOAD", 1.5}, {"PARSE", 2.5}, {"peakMB", 1200}});
    runAndReport("ALL, from the press to the saved page", "all", log, runs, {{"ALL", 0.5}, {"peakMB", 0}});
    runAndReport("the same, step by step", "steps", log, runs,
                 {{"LOAD", 0},
                  {"PARSE", 0.3},
                  {"HTML", 0.15},
                  {"SAVE", 0},
                  {"sum", 0},
                  {"progressPaints", 0},
                  {"peakMB", 0}});
    if (withOneGigabyte) {
        runAndReport("LOAD and PARSE of a 1 GB log", "load-parse", generatedLog(kOneGigabyteLines, 300), 1,
                     {{"LOAD", 0}, {"PARSE", 0}, {"peakMB", 0}});
    }
    return 0;
}
