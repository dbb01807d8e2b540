#pragma once
// gravmark-status.txt beside a watched page: one line that shows a clan the watch is
// alive, as "last page 2026-12-09 14:30:05; last fetch: fetched 2026-12-09 14:31:00;
// games seen: 12" ("none" before the first page, and for the fetch without a server).
#include <QDateTime>
#include <cstdint>
#include <string>

namespace gravmark {

class StatusFile {
public:
    // Writes the line (CR LF after it, as a complete new file) beside `page` when it
    // differs from the line written last. A failure is dropped: the page's own message
    // tells of a full disk, and the next change tries again.
    void update(const std::string& page, const QDateTime& lastPage, const std::string& fetchResult,
                int64_t games);

private:
    std::string written_;
};

}  // namespace gravmark
