#include "ingest/log_loader.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <thread>

#include "common/error.h"
#include "ingest/load_count_pass.h"
#include "ingest/load_file.h"
#include "ingest/load_line_pass.h"
#include "platform/native_path.h"

namespace gravmark {

namespace {

// Large blocks: few system calls. The count pass reuses one block, so its bytes stay in
// the cache and it touches no new memory; the line pass reads straight into the store.
constexpr size_t kCountBlock = 1 << 20;
constexpr size_t kLineBlock = 8 << 20;

int64_t countPass(const std::vector<std::string>& paths) {
    LoadCountPass pass;
    const auto block = std::make_unique_for_overwrite<char[]>(kCountBlock);
    uint64_t bytes = 0;
    bool counting = true;
    for (const std::string& path : paths) {
        LoadFile file(path);
        bytes += file.size();
        if (bytes > kMaxLogBytes) throwExceedsCapacity();
        for (size_t got; counting && (got = file.read(block.get(), kCountBlock)) > 0;) {
            counting = pass.feed({block.get(), got});
        }
    }
    if (pass.lines() > kMaxLogLines) throwExceedsCapacity();
    return pass.lines();
}

// The kernel zeroes every fresh page on its first touch, which costs LOAD about as much as
// the reading itself: a second thread touches the back half of the buffer while this one
// reads into the front half. The reading waits for it before it gets there.
class BackHalfToucher {
public:
    static constexpr size_t kWorthIt = 16 << 20;
    static constexpr size_t kPage = 4096;

    BackHalfToucher(char* buffer, size_t size) : half_(size >= kWorthIt ? size / 2 : size) {
        if (half_ < size) {
            thread_ = std::jthread([from = buffer + half_, to = buffer + size] {
                for (char* page = from; page < to; page += kPage) *page = 0;
            });
        }
    }
    // Before bytes up to `end` are written by the reading.
    void before(size_t end) {
        if (end > half_ && thread_.joinable()) thread_.join();
    }

private:
    size_t half_;
    std::jthread thread_;
};

}  // namespace

void throwExceedsCapacity() { throw Error("Text exceeds memo capacity"); }

bool logFileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(platform::nativePath(path), ignored);
}

int32_t loadLog(const std::string& path, TextBoxLines& logLines, Progress& progress) {
    return loadLog(std::vector<std::string>{path}, logLines, progress);
}

int32_t loadLog(const std::vector<std::string>& paths, TextBoxLines& logLines, Progress& progress) {
    logLines.clear();
    progress.setPartsComplete(0);
    const int64_t total = countPass(paths);
    progress.setTotalParts(total);

    std::vector<std::unique_ptr<LoadFile>> files;
    uint64_t size = 0;
    for (const std::string& path : paths) {
        files.push_back(std::make_unique<LoadFile>(path));
        size += files.back()->size();
    }
    if (size > kMaxLogBytes) throwExceedsCapacity();
    LargeBytes buffer = allocateBytes(size + 1);
    BackHalfToucher toucher(buffer.get(), size + 1);
    TextBoxLines::Rows lines;
    lines.reserve(static_cast<size_t>(total) + 2);  // the store adds one entry of its own
    LoadLinePass pass(buffer.get(), lines, progress);
    size_t available = 0;
    size_t current = 0;
    for (bool more = true; more;) {
        size_t got = 0;
        const size_t block = std::min<size_t>(kLineBlock, size - available);
        toucher.before(available + block);
        while (current < files.size() && (got = files[current]->read(buffer.get() + available, block)) == 0)
            ++current;  // this file has ended (or shrank since it was measured): the next one
        available += got;
        more = got > 0 && available < size;
        if (!pass.advance(available, !more)) break;
        if (static_cast<int64_t>(lines.size()) > kMaxLogLines) throwExceedsCapacity();
    }
    progress.setPartsComplete(total);

    const auto count = static_cast<int32_t>(lines.size());
    logLines.assignLines(std::move(buffer), std::move(lines));
    logLines.addLine("Aantal Lines : " + std::to_string(count));
    return count;
}

}  // namespace gravmark
