#include "ingest/log_loader.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "common/error.h"
#include "ingest/load_count_pass.h"
#include "ingest/load_file.h"
#include "ingest/load_line_pass.h"

namespace gravmark {

namespace {

// Large blocks: few system calls. The count pass reuses one block, so its bytes stay in
// the cache and it touches no new memory; the line pass reads straight into the store.
constexpr size_t kCountBlock = 1 << 20;
constexpr size_t kLineBlock = 8 << 20;

[[noreturn]] void exceedsCapacity() { throw Error("Text exceeds memo capacity"); }

int64_t countPass(const std::string& path) {
    LoadFile file(path);
    if (file.size() > kMaxLogBytes) exceedsCapacity();
    LoadCountPass pass;
    const auto block = std::make_unique_for_overwrite<char[]>(kCountBlock);
    for (size_t got; (got = file.read(block.get(), kCountBlock)) > 0;) {
        if (!pass.feed({block.get(), got})) break;
    }
    if (pass.lines() > kMaxLogLines) exceedsCapacity();
    return pass.lines();
}

}  // namespace

bool logFileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

int32_t loadLog(const std::string& path, TextBoxLines& memo1, Progress& progress) {
    memo1.clear();
    progress.setPartsComplete(0);
    const int64_t total = countPass(path);
    progress.setTotalParts(total);

    LoadFile file(path);
    const uint64_t size = file.size();
    if (size > kMaxLogBytes) exceedsCapacity();
    LargeBytes buffer = allocateBytes(size + 1);
    TextBoxLines::Rows lines;
    lines.reserve(static_cast<size_t>(total) + 2);  // the store adds one entry of its own
    LoadLinePass pass(buffer.get(), lines, progress);
    size_t available = 0;
    for (bool more = true; more;) {
        const size_t got =
            file.read(buffer.get() + available, std::min<size_t>(kLineBlock, size - available));
        available += got;
        more = got > 0 && available < size;
        if (!pass.advance(available, !more)) break;
        if (static_cast<int64_t>(lines.size()) > kMaxLogLines) exceedsCapacity();
    }
    progress.setPartsComplete(total);

    const auto count = static_cast<int32_t>(lines.size());
    memo1.assignLines(std::move(buffer), std::move(lines));
    memo1.addLine("Aantal Lines : " + std::to_string(count));
    return count;
}

}  // namespace gravmark
