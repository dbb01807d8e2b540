#pragma once
// The ";"-separated fields of one log line, found in one pass.
// Field k (from 1) is the text between the (k-1)-th and the k-th delimiter, the start
// of the line standing in for the 0-th; a field not closed by a delimiter is empty. With
// closedAtEnd the line's end closes a field as a delimiter there would.
#include <array>
#include <cstddef>
#include <string_view>

namespace gravmark {

class ParseFields {
public:
    static constexpr int kMaxField = 13;  // a kill line's hit location is the last one read

    ParseFields(std::string_view line, char delimiter, bool closedAtEnd = false);

    // Field k, 1 <= k <= kMaxField; empty when the line has fewer than k delimiters.
    std::string_view field(int k) const;

private:
    std::string_view line_;
    std::array<size_t, kMaxField + 1> ends_{};  // ends_[k]: offset of the k-th delimiter
    int closed_ = 0;                            // number of delimiters found (at most kMaxField)
};

}  // namespace gravmark
