#include "ingest/mapped_log.h"

#include <algorithm>

#include "common/text_box_lines.h"
#include "ingest/load_count_pass.h"
#include "ingest/load_file.h"
#include "ingest/log_loader.h"
#include "platform/find_byte.h"
#include "platform/mapped_file.h"

namespace gravmark {

namespace {

constexpr char kCtrlZ = 26;

std::string withoutCr(const char* begin, const char* end) {
    std::string text;
    for (const char* c = begin; c < end; ++c) {
        if (*c != '\r') text += *c;
    }
    return text;
}

// The first `wanted` byte of a stretch of the log, searched a window ahead rather than
// within every line: in a log with no Ctrl-Z and LF line ends, one search of a window stands
// for a search of each of its lines (with CR LF ends, each search stops at the next line's
// CR, as the search of each line did). A window and not the rest of the file, so that the
// search stays near the reading: the window is still in the cache when the lines are cut,
// and a log read chunk by chunk does not have all its pages brought in at once.
class NextByte {
public:
    NextByte(char wanted, const char* limit) : wanted_(wanted), limit_(limit) {}

    // The first `wanted` in [at, end), or `end` when there is none; `at` never goes back.
    const char* within(const char* at, const char* end) {
        if (at > clear_ || (!hit_ && end > clear_)) search(std::max(at, clear_), end);
        return hit_ && clear_ < end ? clear_ : end;
    }

private:
    static constexpr ptrdiff_t kWindow = ptrdiff_t(1) << 20;

    void search(const char* from, const char* end) {
        const char* stop = std::max(end, limit_ - from > kWindow ? from + kWindow : limit_);
        const char* found = platform::findByte(from, stop, wanted_);
        hit_ = found != nullptr;
        clear_ = hit_ ? found : stop;
    }

    char wanted_;
    const char* limit_;
    // No `wanted` lies between the reading and here; when hit_, one lies here.
    const char* clear_ = nullptr;
    bool hit_ = false;
};

}  // namespace

bool MappedLog::load(const std::string& path, Progress& progress) {
    clear();
    LoadFile file(path);
    const uint64_t size = file.size();
    if (size > kMaxLogBytes) throwExceedsCapacity();
    // Mapped whole at once is the fastest way to read a log three times, where it fits.
    readByChunks_ = size > reading_.heldWholeBytes;
    bytes_ = file.map(size, readByChunks_ ? platform::MapPages::AsRead : platform::MapPages::AllAtOnce);
    if (!loaded()) return false;
    size_ = size;
    parseReleased_ = bytes_;
    try {
        cutLines(progress);
    } catch (...) {
        clear();
        throw;
    }
    summary_ = "Aantal Lines : " + std::to_string(lines_.size());
    return true;
}

// As the line pass of loadLog cuts them; see load_line_pass.h.
void MappedLog::cutLines(Progress& progress) {
    progress.setPartsComplete(0);
    LoadCountPass count;
    const char* released = bytes_;
    const auto chunkBytes = static_cast<size_t>(reading_.chunkBytes);
    for (size_t at = 0; at < size_; at += chunkBytes) {
        const size_t chunk = std::min(size_ - at, chunkBytes);
        if (!count.feed({bytes_ + at, chunk})) break;
        readTo(bytes_ + at + chunk, released);
    }
    released = bytes_;
    if (count.lines() > kMaxLogLines) throwExceedsCapacity();
    const int64_t total = count.lines();
    progress.setTotalParts(total);
    lines_.reserve(static_cast<size_t>(total) + 1);

    const char* const limit = bytes_ + size_;
    NextByte ctrlZ(kCtrlZ, limit), cr('\r', limit);
    for (const char* begin = bytes_; begin < limit;) {
        const char* lf = platform::findByte(begin, limit, '\n');
        const char* end = lf ? lf : limit;
        if (lf && end > begin && end[-1] == '\r') --end;
        if (begin < end && *begin == kCtrlZ) break;
        end = ctrlZ.within(begin, end);
        if (cr.within(begin, end) < end) {
            lines_.push_back({static_cast<uint32_t>(changed_.size()), LineSpan::kChanged});
            changed_.push_back(cleaned_.store(withoutCr(begin, end)));
        } else {
            lines_.push_back({static_cast<uint32_t>(begin - bytes_), static_cast<uint32_t>(end - begin)});
        }
        if (static_cast<int64_t>(lines_.size()) > kMaxLogLines) throwExceedsCapacity();
        progress.setPartsComplete(static_cast<int64_t>(lines_.size()) + 1);
        begin = lf ? lf + 1 : limit;
        readTo(begin, released);
    }
    progress.setPartsComplete(total);
}

void MappedLog::readTo(const char* at, const char*& released) const {
    if (!readByChunks_ || at - released < reading_.chunkBytes) return;
    platform::releaseMappedPages(released, at);
    released = at;
    platform::loadMappedPages(at, at + std::min(reading_.chunkBytes, bytes_ + size_ - at));
}

void MappedLog::doneBefore(size_t index) const {
    if (index >= lines_.size()) return;
    const LineSpan span = lines_[index];
    // A line LOAD changed lies in a store of its own, not in the file.
    if (span.length == LineSpan::kChanged) return;
    if (const char* at = bytes_ + span.start; at > parseReleased_) readTo(at, parseReleased_);
}

void MappedLog::clear() {
    platform::unmapFile(bytes_, size_);
    bytes_ = nullptr;
    size_ = 0;
    lines_.clear();
    changed_.clear();
    cleaned_.clear();
    summary_.clear();
}

ScanLine MappedLog::line(size_t index) const {
    if (index == lines_.size()) return {summary_, false};
    const LineSpan span = lines_.at(index);
    const std::string_view text = span.length == LineSpan::kChanged
                                      ? changed_[span.start]
                                      : std::string_view(bytes_ + span.start, span.length);
    // The stored line is the text and its ";", of which PARSE reads the first 4096 bytes.
    return {text.substr(0, TextBoxLines::kMaxLineRead), text.size() < TextBoxLines::kMaxLineRead};
}

}  // namespace gravmark
