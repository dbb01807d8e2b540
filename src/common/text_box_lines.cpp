#include "common/text_box_lines.h"

#include <algorithm>
#include <stdexcept>

namespace gravmark {

namespace {

// Calls `row` for every row of `bytes`: the text split at CR LF, lone CR and lone LF,
// the remainder after the last break included (so at least one row).
template <typename RowFn>
void forEachRow(std::string_view bytes, RowFn&& row) {
    size_t start = 0;
    for (;;) {
        const size_t brk = bytes.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) break;
        row(bytes.substr(start, brk - start));
        start = brk + 1;
        if (bytes[brk] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    row(bytes.substr(start));
}

}  // namespace

TextBoxLines::TextBoxLines() : rows_(1) {}

void TextBoxLines::resetStorage() {
    rows_.assign(1, std::string_view());
    texts_.clear();
    longest_ = 0;
    longestKnown_ = true;
}

void TextBoxLines::noteRowWritten(size_t index) {
    if (longestKnown_ && rows_[index].size() >= rows_[longest_].size()) longest_ = index;
}

size_t TextBoxLines::longestRow() const {
    if (!longestKnown_) {
        longest_ = static_cast<size_t>(
            std::max_element(rows_.begin(), rows_.end(),
                             [](std::string_view a, std::string_view b) { return a.size() < b.size(); }) -
            rows_.begin());
        longestKnown_ = true;
    }
    return longest_;
}

void TextBoxLines::setText(std::string_view bytes) {
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    resetStorage();
    rows_.clear();
    const std::string_view whole = texts_.store(bytes);
    forEachRow(whole, [this](std::string_view row) { rows_.push_back(row); });
    longestKnown_ = false;
    changed();
}

void TextBoxLines::clear() {
    resetStorage();
    changed();
}

void TextBoxLines::assignLines(LargeBytes storage, Rows lines) {
    resetStorage();
    if (!lines.empty()) {
        texts_.adopt(std::move(storage));
        rows_ = std::move(lines);
        rows_.emplace_back();
        longestKnown_ = false;
    }
    changed();
}

void TextBoxLines::takeText(TextBoxLines& other) {
    std::swap(rows_, other.rows_);
    std::swap(texts_, other.texts_);
    std::swap(longest_, other.longest_);
    std::swap(longestKnown_, other.longestKnown_);
    other.resetStorage();
    changed();
}

std::string_view TextBoxLines::line(size_t index) const { return fullLine(index).substr(0, kMaxLineRead); }

std::string_view TextBoxLines::fullLine(size_t index) const {
    if (index >= lineCount()) throw std::out_of_range("TextBoxLines: no such line");
    return rows_[index];
}

void TextBoxLines::addLine(std::string_view line) {
    const std::string_view stored = texts_.store(line);
    if (rows_.back().empty()) {  // empty text, or one ending with a break: S + CR LF
        rows_.back() = stored;
        noteRowWritten(rows_.size() - 1);
        rows_.emplace_back();
    } else {  // CR LF + S
        rows_.push_back(stored);
        noteRowWritten(rows_.size() - 1);
    }
    changed();
}

void TextBoxLines::insertFirstLine(std::string_view line) { insertLine(0, line); }

void TextBoxLines::replaceLine(size_t index, std::string_view line) {
    fullLine(index);  // range check
    replaceRange({index, 0}, {index, rows_[index].size()}, line);
}

void TextBoxLines::insertLine(size_t index, std::string_view line) {
    if (index == lineCount() && !empty()) {
        addLine(line);
        return;
    }
    if (index > lineCount()) throw std::out_of_range("TextBoxLines: no such line");
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), texts_.store(line));
    longestKnown_ = false;
    changed();
}

void TextBoxLines::removeLine(size_t index) {
    fullLine(index);  // range check
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (rows_.empty()) rows_.emplace_back();
    longestKnown_ = false;
    changed();
}

TextBoxLines::Position TextBoxLines::replaceRange(Position from, Position to, std::string_view bytes) {
    if (to < from || to.row >= rows_.size() || from.column > rows_[from.row].size() ||
        to.column > rows_[to.row].size())
        throw std::out_of_range("TextBoxLines: no such range");
    // Build the new rows first: `bytes` may be a view of the rows being replaced.
    std::vector<std::string> pieces;
    forEachRow(bytes, [&pieces](std::string_view row) { pieces.emplace_back(row); });
    pieces.front().insert(0, rows_[from.row].substr(0, from.column));
    const Position end{from.row + pieces.size() - 1, pieces.back().size()};
    pieces.back().append(rows_[to.row].substr(to.column));

    const size_t oldCount = to.row - from.row + 1;
    const auto first = rows_.begin() + static_cast<std::ptrdiff_t>(from.row);
    if (pieces.size() < oldCount) {
        rows_.erase(first + static_cast<std::ptrdiff_t>(pieces.size()),
                    first + static_cast<std::ptrdiff_t>(oldCount));
    } else if (pieces.size() > oldCount) {
        rows_.insert(first + static_cast<std::ptrdiff_t>(oldCount), pieces.size() - oldCount,
                     std::string_view());
    }
    const bool shrinksLongest = longestKnown_ && longest_ >= from.row && longest_ <= to.row;
    for (size_t i = 0; i < pieces.size(); ++i) rows_[from.row + i] = texts_.store(pieces[i]);
    if (pieces.size() != oldCount || shrinksLongest) {
        longestKnown_ = false;
    } else {
        noteRowWritten(from.row);
    }
    changed();
    return end;
}

std::string TextBoxLines::textBetween(Position from, Position to) const {
    if (to < from || to.row >= rows_.size()) throw std::out_of_range("TextBoxLines: no such range");
    if (from.row == to.row) return std::string(rows_[from.row].substr(from.column, to.column - from.column));
    size_t size = to.column;
    for (size_t i = from.row; i < to.row; ++i) size += rows_[i].size() + 2;
    std::string out;
    out.reserve(size);
    out += rows_[from.row].substr(from.column);
    for (size_t i = from.row + 1; i < to.row; ++i) (out += "\r\n") += rows_[i];
    (out += "\r\n") += rows_[to.row].substr(0, to.column);
    return out;
}

std::string TextBoxLines::text() const { return textBetween({0, 0}, endPosition()); }

void TextBoxLines::writeText(std::ostream& out) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (i > 0) out.write("\r\n", 2);
        out.write(rows_[i].data(), static_cast<std::streamsize>(rows_[i].size()));
    }
}

}  // namespace gravmark
