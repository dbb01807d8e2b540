#pragma once
// WorkFileWriter: writes a table as the one-line XML data packet, in one pass.
//
// The caller hands over the rows one by one, each row's values in field order; a field
// that is not given is null and gets no attribute. finish() completes the file; any
// failure to create or write it throws an Error naming the file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "table/record_table.h"

namespace gravmark {

class WorkFileWriter {
public:
    WorkFileWriter(const std::string& path, const std::vector<FieldDef>& defs);
    ~WorkFileWriter();
    WorkFileWriter(const WorkFileWriter&) = delete;
    WorkFileWriter& operator=(const WorkFileWriter&) = delete;

    void beginRow();
    // A text value is written as an attribute made once for that field and text (a table
    // writes the same text many times): textAttribute(field, value), then madeAttribute(made)
    // for every row that holds it.
    std::string textAttribute(int field, std::string_view value) const;
    void madeAttribute(std::string_view made);
    void integer(int field, int32_t value);
    void real(int field, double value);
    void endRow();
    void finish();

private:
    void attribute(int field);
    template <class T>
    void number(int field, T value);
    void flushIfFull();
    void flush();
    [[noreturn]] void fail();

    std::string path_;
    std::vector<std::string> names_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool anyRow_ = false;
};

}  // namespace gravmark
