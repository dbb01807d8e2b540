#pragma once
// LOAD for a run whose text boxes nobody sees (the batch): the log file is mapped instead
// of copied, and its lines are places in the mapping. They are the lines loadLog stores,
// each without the ";" loadLog puts after it: PARSE reads a line's end as that ";". Only a
// line that LOAD changes (a lone CR dropped, the text after a Ctrl-Z cut off) is written
// out, to a small store of its own. The summary line "Aantal Lines : " + count comes last,
// as in the line store.
//
// A log too big to hold whole (a gigabyte or so) is read chunk by chunk: each pass over it,
// LOAD's two and PARSE's, gives back the pages it has read past, so that the program holds
// a few chunks of the log rather than all of it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_arena.h"
#include "common/huge_pages.h"
#include "common/progress.h"
#include "ingest/scan_lines.h"

namespace gravmark {

class MappedLog final : public ScanLines {
public:
    // How a log is read: whole up to `heldWholeBytes`, chunks of `chunkBytes` beyond.
    struct Reading {
        uint64_t heldWholeBytes = uint64_t(256) << 20;
        ptrdiff_t chunkBytes = ptrdiff_t(32) << 20;
    };

    MappedLog() = default;
    explicit MappedLog(Reading reading) : reading_(reading) {}
    ~MappedLog() override { clear(); }
    MappedLog(const MappedLog&) = delete;
    MappedLog& operator=(const MappedLog&) = delete;

    // Maps the log at `path` and cuts it into lines, with loadLog's progress, limits and
    // errors. False, with nothing done, when the file cannot be mapped (an empty file, for
    // one): read it with loadLog then.
    bool load(const std::string& path, Progress& progress);
    // Unmaps the file; no lines are left.
    void clear();
    bool loaded() const { return bytes_ != nullptr; }
    // The log's own lines, the summary line not counted.
    int32_t logLineCount() const { return static_cast<int32_t>(lines_.size()); }

    size_t lineCount() const override { return loaded() ? lines_.size() + 1 : 0; }
    ScanLine line(size_t index) const override;
    void doneBefore(size_t index) const override;

private:
    void cutLines(Progress& progress);
    // A pass has read up to `at`: the chunks behind it are given back, if the log is read
    // chunk by chunk. `released` is where the pass gave back up to before.
    void readTo(const char* at, const char*& released) const;

    // A line as its place in the mapping (the log is under 2 GB), or, with kChanged as its
    // length, as its index in `changed_`: half the size of a view, since the list is written
    // once per line and its new pages cost more than the cutting where huge pages are not
    // to be had (Windows).
    struct LineSpan {
        static constexpr uint32_t kChanged = UINT32_MAX;
        uint32_t start = 0;
        uint32_t length = 0;
    };

    Reading reading_;
    const char* bytes_ = nullptr;
    size_t size_ = 0;
    bool readByChunks_ = false;
    mutable const char* parseReleased_ = nullptr;  // how far PARSE gave the pages back
    std::vector<LineSpan, LargeAllocator<LineSpan>> lines_;
    std::vector<std::string_view> changed_;  // the lines LOAD changes, in `cleaned_`
    ByteArena cleaned_;
    std::string summary_;
};

}  // namespace gravmark
