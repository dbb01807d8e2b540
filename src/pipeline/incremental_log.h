#pragma once
// IncrementalLog: the events of a program folder's log as LOAD and PARSE give them, kept up
// to date by reading only the bytes added since the last look.
//
// Contract:
//  - The log is what LOAD reads as one byte stream: with history the kept copies, oldest
//    first, then "games_mp.log"; without, the log alone. Only complete lines count: the
//    stream up to its last LF. Bytes after it wait until their line ends, so what is held
//    after a look is exactly what LOAD and PARSE give for the stream cut after its last LF.
//  - A look reads on when the stream only grew: the same kept copies with the same sizes,
//    the log no shorter, and its first and last read bytes unchanged. Anything else (a
//    rotation, a kept copy added or removed, a log rewritten or cut) reads the stream again
//    from its start.
//  - A Ctrl-Z at the start of a line ends the reading, as in LOAD: later bytes never count
//    until the stream is read again from its start.
// Failures throw gravmark::Error (a file that cannot be read, "Text exceeds memo capacity");
// what is held is then no page's input, and the next look reads the stream again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/huge_pages.h"
#include "ingest/load_file.h"
#include "ingest/player_id_counts.h"
#include "table/game_events.h"

namespace gravmark {

class IncrementalLog {
public:
    IncrementalLog();

    struct Look {
        bool readAgain = false;  // the stream was read from its start
        int32_t newLines = 0;    // complete lines read by this look
        bool gameEnded = false;  // a game start or a game's end line among them
    };

    // Reads what is new in the stream of `logPath` (see above).
    Look look(const std::string& logPath, bool history);

    int32_t lineCount() const { return lineCount_; }   // LOAD's lineCount
    int32_t gameCount() const { return state_.game; }  // PARSE's game counter
    int32_t eventCount() const { return eventCount_; }
    const GameEvents& events() const { return events_; }  // as parseLog gives them
    const PlayerIdCounts& playerIds() const { return ids_; }
    // Changes whenever the events are read again from the start: events kept by place
    // before then mean nothing now. Events stand in log order, their games never
    // decreasing, and the events of games before gameCount() never change.
    uint64_t generation() const { return generation_; }

private:
    struct FileSeen {
        std::string path;
        uint64_t size = 0;
    };
    struct Scan {  // the scanner's state with the texts it points to kept here
        int32_t game = 0;
        std::string map, maptype;
    };

    void startAgain();
    bool onlyGrew(const std::vector<std::string>& files, uint64_t& logSize) const;
    Look readAll(const std::vector<std::string>& files);
    Look readOn(const std::string& logPath, uint64_t logSize);
    // Reads `file` on from seen.size to `to`, block by block, adding what each block gave.
    void readBlocks(LoadFile& file, uint64_t to, bool isLog, FileSeen& seen, Look& look);
    void noteLogBytes(std::string_view bytes);  // the log's bytes, as they are read
    // Adds the bytes [0, size) of `buffer` (the waiting bytes first), which has one spare byte.
    Look consume(LargeBytes buffer, size_t size);

    GameEvents events_;
    PlayerIdCounts ids_;
    Scan state_;
    int32_t lineCount_ = 0;
    int32_t eventCount_ = 0;
    uint64_t streamBytes_ = 0;
    uint64_t generation_ = 0;
    bool ended_ = false;          // a Ctrl-Z ended the reading
    std::string waiting_;         // the bytes after the last LF
    std::vector<FileSeen> seen_;  // the kept copies, then the log, as read
    std::string head_, tail_;     // the log's first and last bytes read, to tell a rewrite
};

}  // namespace gravmark
