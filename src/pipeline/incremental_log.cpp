#include "pipeline/incremental_log.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/error.h"
#include "common/huge_pages.h"
#include "common/progress.h"
#include "common/rotated_copies.h"
#include "common/text_box_lines.h"
#include "ingest/load_file.h"
#include "ingest/load_line_pass.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"

namespace gravmark {

namespace {

// How much of the log's start and of its last bytes read a look compares.
constexpr size_t kCompared = 4096;
// The stream is read in blocks of this size, so that reading a long log whole takes
// little more memory than its events.
constexpr size_t kReadBlock = 64 << 20;
constexpr uint64_t kNoChange = UINT64_MAX;

[[noreturn]] void exceedsCapacity() { throw Error("Text exceeds memo capacity"); }

std::string readAt(LoadFile& file, uint64_t offset, size_t size) {
    std::string bytes(size, '\0');
    file.seekTo(offset);
    bytes.resize(file.read(bytes.data(), size));
    return bytes;
}

// The game's end lines some servers write; a game start ends the game before it too.
bool holdsGameEnd(std::string_view bytes) {
    return bytes.find("ShutdownGame:") != std::string_view::npos ||
           bytes.find("ExitLevel:") != std::string_view::npos;
}

}  // namespace

IncrementalLog::IncrementalLog() = default;

void IncrementalLog::startAgain() {
    events_.clear();
    ids_.clear();
    state_ = {};
    lineCount_ = eventCount_ = 0;
    streamBytes_ = 0;
    ++generation_;
    ended_ = false;
    waiting_.clear();
    seen_.clear();
    head_.clear();
    tail_.clear();
}

IncrementalLog::Look IncrementalLog::look(const std::string& logPath, bool history) {
    if (!logFileExists(logPath)) throw Error("File does not exist: " + logPath);
    const std::vector<std::string> files = logFilesToLoad(logPath, history);
    try {
        uint64_t logSize = 0;
        if (!onlyGrew(files, logSize)) return readAll(files);
        if (logSize == kNoChange) return {};
        return readOn(logPath, logSize);
    } catch (...) {
        seen_.clear();  // the next look reads the stream again
        throw;
    }
}

// Tells whether the stream only grew; then logSize is the log's size now, or kNoChange.
bool IncrementalLog::onlyGrew(const std::vector<std::string>& files, uint64_t& logSize) const {
    if (files.size() != seen_.size()) return false;
    for (size_t i = 0; i + 1 < files.size(); ++i) {
        if (files[i] != seen_[i].path || LoadFile(files[i]).size() != seen_[i].size) return false;
    }
    LoadFile log(files.back());
    const uint64_t size = log.size();
    const uint64_t read = seen_.back().size;
    if (size < read) return false;
    if (size == read) {
        logSize = kNoChange;
        return true;
    }
    if (readAt(log, 0, head_.size()) != head_ || readAt(log, read - tail_.size(), tail_.size()) != tail_)
        return false;
    logSize = size;
    return true;
}

IncrementalLog::Look IncrementalLog::readAll(const std::vector<std::string>& files) {
    startAgain();
    std::vector<std::unique_ptr<LoadFile>> opened;
    std::vector<uint64_t> sizes;
    uint64_t size = 0;
    for (const std::string& path : files) {
        opened.push_back(std::make_unique<LoadFile>(path));
        sizes.push_back(opened.back()->size());
        size += sizes.back();
        seen_.push_back({path, 0});
    }
    if (size > kMaxLogBytes) exceedsCapacity();
    Look look;
    look.readAgain = true;
    for (size_t i = 0; i < opened.size(); ++i)
        readBlocks(*opened[i], sizes[i], i + 1 == opened.size(), seen_[i], look);
    return look;
}

IncrementalLog::Look IncrementalLog::readOn(const std::string& logPath, uint64_t logSize) {
    if (streamBytes_ + (logSize - seen_.back().size) > kMaxLogBytes) exceedsCapacity();
    LoadFile log(logPath);
    Look look;
    readBlocks(log, logSize, true, seen_.back(), look);
    return look;
}

void IncrementalLog::readBlocks(LoadFile& file, uint64_t to, bool isLog, FileSeen& seen, Look& look) {
    file.seekTo(seen.size);
    while (seen.size < to) {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(to - seen.size, kReadBlock));
        LargeBytes buffer = allocateBytes(waiting_.size() + wanted + 1);
        std::memcpy(buffer.get(), waiting_.data(), waiting_.size());
        const size_t got = file.read(buffer.get() + waiting_.size(), wanted);
        if (got == 0) return;  // the file shrank since it was measured: read as it is
        if (isLog) noteLogBytes({buffer.get() + waiting_.size(), got});
        seen.size += got;
        const Look block = consume(std::move(buffer), waiting_.size() + got);
        look.newLines += block.newLines;
        look.gameEnded = look.gameEnded || block.gameEnded;
    }
}

void IncrementalLog::noteLogBytes(std::string_view bytes) {
    if (head_.size() < kCompared) head_.append(bytes.substr(0, kCompared - head_.size()));
    tail_.append(bytes.substr(bytes.size() - std::min(bytes.size(), kCompared)));
    if (tail_.size() > kCompared) tail_.erase(0, tail_.size() - kCompared);
}

IncrementalLog::Look IncrementalLog::consume(LargeBytes buffer, size_t size) {
    streamBytes_ += size - waiting_.size();
    const std::string_view bytes(buffer.get(), size);
    const size_t lastLf = bytes.rfind('\n');
    const size_t complete = lastLf == std::string_view::npos ? 0 : lastLf + 1;
    waiting_.assign(bytes.substr(complete));
    Look look;
    if (complete == 0 || ended_) return look;

    look.gameEnded = holdsGameEnd(bytes.substr(0, complete));
    TextBoxLines::Rows rows;
    Progress unseen;
    LoadLinePass pass(buffer.get(), rows, unseen);
    ended_ = !pass.advance(complete, true);
    if (lineCount_ + static_cast<int64_t>(rows.size()) > kMaxLogLines) exceedsCapacity();
    look.newLines = static_cast<int32_t>(rows.size());
    lineCount_ += look.newLines;

    TextBoxLines lines;
    rows.reserve(rows.size() + 1);
    lines.assignLines(std::move(buffer), std::move(rows));
    ScanState scan{state_.game, state_.map, state_.maptype};
    const int32_t gameBefore = state_.game;
    eventCount_ += appendLogEvents(lines, events_, scan, &ids_);
    state_ = {scan.game, std::string(scan.map), std::string(scan.maptype)};
    look.gameEnded = look.gameEnded || state_.game != gameBefore;
    return look;
}

}  // namespace gravmark
