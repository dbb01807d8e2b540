// gravmark-batch --watch on a generated log of 1,000,000 lines (--lines N, --players P):
// the first look (the whole log read and the page written), looks with nothing new, and
// looks after one more game, each as CPU time and wall time (medians), with the resident
// memory after every phase. --cycles C runs C more looks, a game added every tenth, to show
// whether memory stays flat. Targets: nothing new at most 50 ms CPU; a game's page for a
// 10,000,000-line history at most 0.3 s; steady memory at most 300 MB.
#include <sys/resource.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "batch/watch_run.h"
#include "bench_figures.h"
#include "log_generator.h"

namespace {

namespace fs = std::filesystem;
using gravmark::bench::Clock;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * 4096.0 / (1024.0 * 1024.0);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Each sleep is the end of a look: the clock measures it and then grows the log.
class BenchClock : public gravmark::WatchClock {
public:
    BenchClock(std::string log, std::string game, int cycles)
        : log_(std::move(log)), game_(std::move(game)), cycles_(cycles) {}
    int64_t nowMs() override { return now_; }
    bool stopAsked() const override { return look_ >= 41 + cycles_; }
    void sleepUntil(int64_t ms) override {
        const double cpu = cpuSeconds() - cpuStart_, wall = gravmark::bench::secondsSince(wallStart_);
        if (look_ == 0) {
            std::printf("first look (whole log, page): %.3f s CPU, %.3f s wall, %.0f MB resident\n", cpu,
                        wall, residentMegabytes());
        } else if (look_ <= 20) {
            idleCpu_.push_back(cpu);
            idleWall_.push_back(wall);
        } else if (look_ <= 40) {
            gameCpu_.push_back(cpu);
            gameWall_.push_back(wall);
        }
        if (look_ == 20)
            std::printf("nothing new: median %.3f ms CPU, %.3f ms wall\n", median(idleCpu_) * 1e3,
                        median(idleWall_) * 1e3);
        if (look_ == 40) {
            std::printf("one more game: median %.3f s CPU, %.3f s wall, %.0f MB resident\n", median(gameCpu_),
                        median(gameWall_), residentMegabytes());
            startResident_ = residentMegabytes();
        }
        ++look_;
        now_ = ms;
        if (look_ > 20 && (look_ <= 40 || look_ % 10 == 0)) std::ofstream(log_, std::ios::app) << game_;
        if (look_ == 41 + cycles_ && cycles_ > 0)
            std::printf("%d more looks: resident %.0f MB -> %.0f MB, peak %.0f MB\n", cycles_, startResident_,
                        residentMegabytes(), gravmark::bench::peakMegabytes());
        cpuStart_ = cpuSeconds();
        wallStart_ = Clock::now();
    }

private:
    std::string log_, game_;
    int cycles_;
    int look_ = 0;
    int64_t now_ = 0;
    double cpuStart_ = cpuSeconds();
    Clock::time_point wallStart_ = Clock::now();
    double startResident_ = 0;
    std::vector<double> idleCpu_, idleWall_, gameCpu_, gameWall_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    gravmark::bench::LogShape shape;
    shape.lines = 1'000'000;
    int cycles = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--lines") shape.lines = std::atoll(argv[i + 1]);
        if (option == "--players") shape.players = std::atoi(argv[i + 1]);
        if (option == "--cycles") cycles = std::atoi(argv[i + 1]);
    }
    const char* tmp = std::getenv("TMPDIR");
    const fs::path folder =
        fs::path(tmp ? tmp : "/tmp") / ("gravmark-bench-watch-" + std::to_string(shape.lines));
    fs::create_directories(folder);
    const fs::path log = folder / "games_mp.log";
    std::printf("writing the log...\n");
    gravmark::bench::writeLog(shape, log.string());
    gravmark::bench::LogShape oneGame = shape;
    oneGame.lines = 2000;
    oneGame.seed = 99;
    BenchClock clock(log.string(), gravmark::bench::generateLog(oneGame), cycles);
    const gravmark::BatchOptions options =
        gravmark::parseBatchOptions({"--folder", folder.string(), "--out", (folder / "index.html").string(),
                                     "--now", "2026-12-09 14:30:05", "--watch", "30", "--quiet"});
    const int status = gravmark::runWatch(options, clock);
    fs::remove(log);
    return status;
}
