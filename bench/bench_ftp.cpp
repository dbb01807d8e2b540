// Fetching a large log from the scripted FTP server on loopback (100 MB and 300 MB, the
// real 10k-line log repeated). Reports the throughput and the peak resident memory of
// the process after each size: it must not grow with the size of the log. The local file
// goes to $TMPDIR (or /tmp) and is removed afterwards.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "fetch/log_fetch.h"
#include "scripted_ftp_server.h"

namespace {

std::string realLog() {
    std::ifstream in(GRAVMARK_REAL_LOGS "/server-lan-10k.log", std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_FetchLog(benchmark::State& state) {
    static const std::string log = realLog();
    const int64_t size = state.range(0) * 1024 * 1024;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp ? tmp : "/tmp") + "/";
    const std::string localPath = folder + "games_mp.log";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(localPath);
        gravmark::test::ScriptedFtpServer server;
        server.setRemoteFile(size, [](int64_t offset, char* out, size_t length) {
            while (length > 0) {
                const size_t at = static_cast<size_t>(offset % static_cast<int64_t>(log.size()));
                const size_t part = std::min(length, log.size() - at);
                std::memcpy(out, log.data() + at, part);
                out += part;
                offset += static_cast<int64_t>(part);
                length -= part;
            }
        });
        gravmark::SettingsValues settings;
        settings.server = server.serverText();
        state.ResumeTiming();

        gravmark::fetchLogFile(settings, folder, {}, {});

        state.PauseTiming();
        if (static_cast<int64_t>(std::filesystem::file_size(localPath)) != size) {
            state.SkipWithError("the local file has the wrong size");
        }
        std::filesystem::remove(localPath);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["peak_MB"] = peakMegabytes();
}

BENCHMARK(BM_FetchLog)->Arg(100)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
