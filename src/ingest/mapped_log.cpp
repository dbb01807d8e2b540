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

// The first `wanted` at or after a position, searched again only once the position has
// passed the last one found: in a log with no Ctrl-Z and LF line ends, one search of the
// whole file stands for a search of every line (with CR LF ends, each search stops at the
// next line's CR, as the search of each line did).
class NextByte {
public:
    NextByte(char wanted, const char* limit) : wanted_(wanted), limit_(limit) {}

    // `limit` when there is none.
    const char* from(const char* at) {
        if (found_ == nullptr || at > found_) {
            const char* hit = platform::findByte(at, limit_, wanted_);
            found_ = hit ? hit : limit_;
        }
        return found_;
    }

private:
    char wanted_;
    const char* limit_;
    const char* found_ = nullptr;
};

}  // namespace

bool MappedLog::load(const std::string& path, Progress& progress) {
    clear();
    LoadFile file(path);
    const uint64_t size = file.size();
    if (size > kMaxLogBytes) throwExceedsCapacity();
    bytes_ = file.map(size);
    if (!loaded()) return false;
    size_ = size;
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
    count.feed({bytes_, size_});
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
        end = std::min(end, ctrlZ.from(begin));
        if (cr.from(begin) < end) {
            lines_.push_back({static_cast<uint32_t>(changed_.size()), LineSpan::kChanged});
            changed_.push_back(cleaned_.store(withoutCr(begin, end)));
        } else {
            lines_.push_back({static_cast<uint32_t>(begin - bytes_), static_cast<uint32_t>(end - begin)});
        }
        if (static_cast<int64_t>(lines_.size()) > kMaxLogLines) throwExceedsCapacity();
        progress.setPartsComplete(static_cast<int64_t>(lines_.size()) + 1);
        begin = lf ? lf + 1 : limit;
    }
    progress.setPartsComplete(total);
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
    const std::string_view text = span.length == LineSpan::kChanged ? changed_[span.start]
                                                                     : std::string_view(bytes_ + span.start, span.length);
    // The stored line is the text and its ";", of which PARSE reads the first 4096 bytes.
    return {text.substr(0, TextBoxLines::kMaxLineRead), text.size() < TextBoxLines::kMaxLineRead};
}

}  // namespace gravmark
