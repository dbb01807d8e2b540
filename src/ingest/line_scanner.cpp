#include "ingest/line_scanner.h"

#include "ingest/parse_game_start.h"

namespace gravmark {

namespace {

constexpr char kDelimiter = ';';
constexpr size_t kBatchEvents = 4096;
constexpr size_t kBatchesInFlight = 4;  // bounds the memory the reading ahead takes

}  // namespace

LineScanner::LineScanner(const ScanLines& lines, ScanState start) {
    for (size_t i = 0; i < kBatchesInFlight; ++i) {
        free_.push_back(std::make_unique<Batch>());
        free_.back()->events.reserve(kBatchEvents);
    }
    thread_ = std::thread([this, &lines, start] { scan(lines, start); });
}

LineScanner::~LineScanner() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void LineScanner::scan(const ScanLines& lines, ScanState state) {
    int32_t& game = state.game;
    std::string_view &map = state.map, &maptype = state.maptype;
    std::unique_ptr<Batch> batch = freeBatch();
    for (size_t i = 0, total = lines.lineCount(); i < total && batch; ++i) {
        const auto [line, closedAtEnd] = lines.line(i);
        const LineKind kind = classifyLine(line);
        if (kind == LineKind::GameStart) {
            ++game;
            const GameStart start = parseGameStart(line);
            map = start.mapName;
            maptype = start.gameType;
        } else if (kind == LineKind::Join || kind == LineKind::Kill) {
            batch->events.push_back(
                {kind, i, ParseFields(line, kDelimiter, closedAtEnd), game, map, maptype});
            if (batch->events.size() == kBatchEvents) {
                hand(std::move(batch));
                batch = freeBatch();
            }
        }
    }
    if (!batch) return;  // stopped
    batch->last = true;
    const std::lock_guard lock(mutex_);
    end_ = state;
    full_.push_back(std::move(batch));
    changed_.notify_all();
}

std::unique_ptr<LineScanner::Batch> LineScanner::freeBatch() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopping_ || !free_.empty(); });
    if (stopping_) return nullptr;
    std::unique_ptr<Batch> batch = std::move(free_.back());
    free_.pop_back();
    batch->events.clear();
    return batch;
}

void LineScanner::hand(std::unique_ptr<Batch> batch) {
    const std::lock_guard lock(mutex_);
    full_.push_back(std::move(batch));
    changed_.notify_all();
}

std::span<const ScannedEvent> LineScanner::next() {
    std::unique_lock lock(mutex_);
    if (reading_) {
        if (reading_->last) return {};
        free_.push_back(std::move(reading_));
        changed_.notify_all();
    }
    changed_.wait(lock, [this] { return !full_.empty(); });
    reading_ = std::move(full_.front());
    full_.pop_front();
    return reading_->events;
}

}  // namespace gravmark
