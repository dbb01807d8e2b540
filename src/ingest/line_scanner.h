#pragma once
// The reading half of PARSE, on a second thread: every line classified, the join and kill
// lines split into fields and tagged with the game they belong to. PARSE stores what the
// scanner hands over, in log order, while the scanner reads ahead; the lines must not
// change until the scanner is gone.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "ingest/parse_fields.h"
#include "ingest/parse_line_kind.h"
#include "ingest/scan_lines.h"

namespace gravmark {

// A join or kill line, read.
struct ScannedEvent {
    LineKind kind = LineKind::None;
    size_t line = 0;  // its index in the line store
    ParseFields fields;
    int32_t game = 0;  // the game counter at this line
    std::string_view map;
    std::string_view maptype;
};

// Where the reading stands between two lines: the game counter and the map and game type
// of the last game start. The views point into the lines read, or into whatever the
// caller gave as the start.
struct ScanState {
    int32_t game = 0;
    std::string_view map;
    std::string_view maptype;
};

class LineScanner {
public:
    // `start`: the state before the first line, for lines that continue a log read before.
    explicit LineScanner(const ScanLines& lines, ScanState start = {});
    ~LineScanner();  // stops the reading, wherever it is
    LineScanner(const LineScanner&) = delete;
    LineScanner& operator=(const LineScanner&) = delete;

    // The next events in log order (valid until the next call); empty once every line is read.
    std::span<const ScannedEvent> next();
    // The game counter after the last line; known once next() has come back empty.
    int32_t gameCount() const { return end_.game; }
    // The whole state after the last line, known then too.
    const ScanState& endState() const { return end_; }

private:
    struct Batch {
        std::vector<ScannedEvent> events;
        bool last = false;
    };

    void scan(const ScanLines& lines, ScanState state);
    std::unique_ptr<Batch> freeBatch();  // nothing once stopping
    void hand(std::unique_ptr<Batch> batch);

    // A plain flag under the mutex rather than a stop token: waits on a stop token hung
    // now and then under MinGW's runtime when the scanner was stopped midway.
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    std::deque<std::unique_ptr<Batch>> full_;
    std::vector<std::unique_ptr<Batch>> free_;
    std::unique_ptr<Batch> reading_;  // the batch next() handed out last
    ScanState end_;
    std::thread thread_;  // joined by the destructor
};

}  // namespace gravmark
