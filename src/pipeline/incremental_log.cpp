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
#include "table/event_table.h"

namespace gravmark {

namespace {

// How much of the log's start and of its last bytes read a look compares.
constexpr size_t kCompared = 4096;
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

IncrementalLog::IncrementalLog() {
    events_.setFieldDefs(eventTableFields());
    events_.createDataSet();
}

void IncrementalLog::startAgain() {
    events_.emptyDataSet();
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
    uint64_t size = 0;
    for (const std::string& path : files) {
        opened.push_back(std::make_unique<LoadFile>(path));
        seen_.push_back({path, opened.back()->size()});
        size += seen_.back().size;
    }
    if (size > kMaxLogBytes) exceedsCapacity();
    LargeBytes buffer = allocateBytes(size + 1);
    size_t got = 0;
    for (size_t i = 0; i < opened.size(); ++i) {
        const size_t fileGot = opened[i]->read(buffer.get() + got, seen_[i].size);
        seen_[i].size = fileGot;  // a file that shrank since it was measured is read as it is
        got += fileGot;
    }
    const FileSeen& log = seen_.back();
    head_.assign(buffer.get() + got - log.size, std::min<size_t>(log.size, kCompared));
    tail_.assign(buffer.get() + got - std::min<size_t>(log.size, kCompared),
                 std::min<size_t>(log.size, kCompared));
    Look look = consume(std::move(buffer), got);
    look.readAgain = true;
    return look;
}

IncrementalLog::Look IncrementalLog::readOn(const std::string& logPath, uint64_t logSize) {
    const uint64_t read = seen_.back().size;
    if (streamBytes_ + (logSize - read) > kMaxLogBytes) exceedsCapacity();
    const size_t added = static_cast<size_t>(logSize - read);
    LargeBytes buffer = allocateBytes(waiting_.size() + added + 1);
    std::memcpy(buffer.get(), waiting_.data(), waiting_.size());
    LoadFile log(logPath);
    log.seekTo(read);
    const size_t got = log.read(buffer.get() + waiting_.size(), added);
    if (head_.size() < kCompared)
        head_.append(buffer.get() + waiting_.size(), std::min(got, kCompared - head_.size()));
    const size_t size = waiting_.size() + got;
    tail_.assign(tail_ + std::string(buffer.get() + waiting_.size(), got));
    if (tail_.size() > kCompared) tail_.erase(0, tail_.size() - kCompared);
    seen_.back().size = read + got;
    return consume(std::move(buffer), size);
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
