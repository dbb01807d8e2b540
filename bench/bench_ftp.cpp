// Fetching a large log from the scripted FTP server on loopback (100 MB and 300 MB, the
// real 10k-line log repeated). Reports the throughput and the peak resident memory of
// the process after each size: it must not grow with the size of the log. Then later
// fetches onto a 100 MB copy, with nothing new and with 1 MB more. The local file
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

#include "scripted_ftp_server.h"
#include "transport/log_fetch.h"

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

// The remote file: the real log repeated.
void fillFromLog(int64_t offset, char* out, size_t length) {
    static const std::string log = realLog();
    while (length > 0) {
        const size_t at = static_cast<size_t>(offset % static_cast<int64_t>(log.size()));
        const size_t part = std::min(length, log.size() - at);
        std::memcpy(out, log.data() + at, part);
        out += part;
        offset += static_cast<int64_t>(part);
        length -= part;
    }
}

void BM_FetchLog(benchmark::State& state) {
    const int64_t size = state.range(0) * 1024 * 1024;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp ? tmp : "/tmp") + "/";
    const std::string localPath = folder + "games_mp.log";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(localPath);
        gravmark::test::ScriptedFtpServer server;
        server.setRemoteFile(size, fillFromLog);
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

// A later fetch onto a 100 MB copy: nothing new (0) or 1 MB more (1). The overlap check
// reads 64 KiB of the copy, not the copy.
void BM_FetchOntoCopy(benchmark::State& state) {
    const int64_t copySize = 100 * 1024 * 1024;
    const int64_t remoteSize = copySize + state.range(0) * 1024 * 1024;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp ? tmp : "/tmp") + "/";
    const std::string localPath = folder + "games_mp.log";
    for (auto _ : state) {
        state.PauseTiming();
        {
            std::ofstream copy(localPath, std::ios::binary | std::ios::trunc);
            std::string block(1 << 20, '\0');
            for (int64_t at = 0; at < copySize; at += static_cast<int64_t>(block.size())) {
                fillFromLog(at, block.data(), block.size());
                copy.write(block.data(), static_cast<std::streamsize>(block.size()));
            }
        }
        gravmark::test::ScriptedFtpServer server;
        server.setRemoteFile(remoteSize, fillFromLog);
        gravmark::SettingsValues settings;
        settings.server = server.serverText();
        state.ResumeTiming();

        gravmark::fetchLogFile(settings, folder, {}, {});

        state.PauseTiming();
        if (static_cast<int64_t>(std::filesystem::file_size(localPath)) != remoteSize)
            state.SkipWithError("the local file has the wrong size");
        std::filesystem::remove(localPath);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_FetchOntoCopy)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
