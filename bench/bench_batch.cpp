// gravmark-batch on a generated 1,000,000-line log with 300 players (--lines N and
// --players P for another shape): the whole command as a scheduler starts it, timed from
// outside, then one run in-process timed step by step to show where the time goes (HTML is
// the statistics and the page; SAVE the finished page and its file).
// The target is 4 s for the whole command on the 2-core build machine. --site pages runs it
// with player pages, --site style with the modern style alone (a modern page may add at most
// 20 % to the plain run), --site modern with player pages, the modern style and the export.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "log_generator.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

fs::path benchFolder(const gravmark::bench::LogShape& shape) {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path folder =
        fs::path(tmp ? tmp : "/tmp") /
        ("gravmark-bench-batch-" + std::to_string(shape.lines) + "-" + std::to_string(shape.players));
    fs::create_directories(folder);
    const fs::path log = folder / "games_mp.log";
    if (!fs::exists(log)) gravmark::bench::writeLog(shape, log.string());
    return folder;
}

constexpr const char* kNow = "2026-12-09 14:30:05";

// The settings file of the run: none for the plain page.
void writeSettings(const fs::path& folder, const std::string& site) {
    const fs::path ini = folder / "GravmarkParser.INI";
    fs::remove(ini);
    std::string general;
    if (site == "pages" || site == "modern") general += "playerpages=1\r\n";
    if (site == "modern" || site == "style") general += "sitestyle=modern\r\nlogcodepage=auto\r\n";
    if (site == "modern") general += "export=1\r\n";
    if (general.empty()) return;
    std::FILE* file = std::fopen(ini.c_str(), "wb");
    const std::string text = "[General]\r\n" + general;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

double timeCommand(const fs::path& folder) {
    const std::string command = std::string("'") + GRAVMARK_BATCH_EXE + "' --quiet --folder '" +
                                folder.string() + "' --out '" + (folder / "index.html").string() +
                                "' --now '" + kNow + "'";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "gravmark-batch failed\n");
        std::exit(1);
    }
    return secondsSince(start);
}

void timeSteps(const fs::path& folder) {
    gravmark::BatchOptions options;
    options.folder = folder.string();
    options.out = (folder / "index.html").string();
    options.now = QDateTime::fromString(QString::fromLatin1(kNow), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    options.quiet = true;
    std::vector<std::pair<std::string, Clock::time_point>> marks{{"settings+tables", Clock::now()}};
    const auto start = marks.front().second;
    gravmark::runBatch(options, [&](const std::string& step) { marks.emplace_back(step, Clock::now()); });
    marks.emplace_back("end", Clock::now());
    std::printf("in-process run %.2f s:", secondsSince(start));
    for (size_t i = 0; i + 1 < marks.size(); ++i) {
        std::printf("  %s %.2f s", marks[i].first.c_str(),
                    std::chrono::duration<double>(marks[i + 1].second - marks[i].second).count());
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    gravmark::bench::LogShape shape{.lines = 1'000'000, .players = 300};
    std::string site;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--lines") shape.lines = std::atoll(argv[i + 1]);
        if (option == "--players") shape.players = std::atoi(argv[i + 1]);
        if (option == "--site") site = argv[i + 1];
    }
    const fs::path folder = benchFolder(shape);
    writeSettings(folder, site);
    constexpr int kRuns = 5;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double seconds = timeCommand(folder);
        std::printf("gravmark-batch, %lld lines, %d players%s%s: %.2f s\n", static_cast<long long>(shape.lines),
                    shape.players, site.empty() ? "" : ", site ", site.c_str(), seconds);
        times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    std::printf("median of %d: %.2f s, best %.2f s (target 4 s)\n", kRuns, times[kRuns / 2], times.front());
    timeSteps(folder);
    return 0;
}
