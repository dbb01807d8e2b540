#include "table/filter_expression.h"

#include <cctype>

#include "common/error.h"

namespace gravmark {

namespace {

constexpr size_t kLiteralCap = 512;

class FilterParser {
public:
    explicit FilterParser(std::string_view text) : text_(text) {}

    std::vector<FilterTerm> parse() {
        std::vector<FilterTerm> terms;
        skipBlanks();
        if (atEnd()) return terms;
        for (;;) {
            terms.push_back(term());
            skipBlanks();
            if (atEnd()) return terms;
            if (!keyword("AND")) fail();
        }
    }

private:
    FilterTerm term() {
        FilterTerm t;
        skipBlanks();
        while (!atEnd() && (std::isalnum(byte()) || text_[pos_] == '_')) t.field += text_[pos_++];
        if (t.field.empty()) fail();
        skipBlanks();
        if (atEnd() || text_[pos_] != '=') fail();
        ++pos_;
        skipBlanks();
        if (atEnd() || text_[pos_] != '\'') fail();
        t.literal = literal();
        if (t.literal.size() >= 2 && t.literal.back() == '*') {
            t.literal.pop_back();
            t.prefix = true;
        }
        return t;
    }

    std::string literal() {
        std::string value;
        for (++pos_;; ++pos_) {
            if (atEnd()) throw Error("Unterminated string constant");
            if (text_[pos_] == '\'') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                    ++pos_;
                } else {
                    ++pos_;
                    return value;
                }
            }
            if (value.size() < kLiteralCap) value += text_[pos_];
        }
    }

    bool keyword(std::string_view word) {
        if (text_.size() - pos_ <= word.size()) return false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(text_[pos_ + i])) != word[i]) return false;
        }
        if (!std::isspace(static_cast<unsigned char>(text_[pos_ + word.size()]))) return false;
        pos_ += word.size();
        return true;
    }

    void skipBlanks() {
        while (!atEnd() && std::isspace(byte())) ++pos_;
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    unsigned char byte() const { return static_cast<unsigned char>(text_[pos_]); }
    [[noreturn]] void fail() const { throw Error("Invalid filter expression: " + std::string(text_)); }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<FilterTerm> parseFilter(std::string_view text) { return FilterParser(text).parse(); }

std::string filterText(const std::vector<FilterTerm>& terms) {
    std::string text;
    for (const FilterTerm& t : terms) {
        if (!text.empty()) text += " AND ";
        text += t.field + " = " + quotedStr(t.prefix ? t.literal + "*" : t.literal);
    }
    return text;
}

}  // namespace gravmark
