#include "table/work_file_writer.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "common/error.h"

namespace gravmark {

namespace {

constexpr size_t kFlushAt = size_t(1) << 20;

const char* fieldTypeName(FieldType type) {
    switch (type) {
        case FieldType::String:
            return "string";
        case FieldType::Integer:
            return "i4";
        case FieldType::Float:
            return "r8";
    }
    return "";
}

// The escape of each byte that needs one, else nullptr.
const std::array<const char*, 256>& escapes() {
    static const std::array<const char*, 256> table = [] {
        std::array<const char*, 256> t{};
        t['<'] = "&lt;";
        t['>'] = "&gt;";
        t['&'] = "&amp;";
        t['"'] = "&quot;";
        t['\''] = "&apos;";
        t['\r'] = "&#013;";
        t['\n'] = "&#010;";
        t['\t'] = "&#009;";
        t['\\'] = "&#092;";
        return t;
    }();
    return table;
}

void appendEscaped(std::string& out, std::string_view value) {
    const auto& table = escapes();
    size_t plain = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const char* escape = table[static_cast<unsigned char>(value[i])];
        if (!escape) continue;
        out.append(value.data() + plain, i - plain);
        out += escape;
        plain = i + 1;
    }
    out.append(value.data() + plain, value.size() - plain);
}

}  // namespace

WorkFileWriter::WorkFileWriter(const std::string& path, const std::vector<FieldDef>& defs) : path_(path) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) fail();
    buffer_.reserve(kFlushAt + 4096);
    buffer_ += "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const FieldDef& def : defs) {
        names_.push_back(def.name);
        buffer_ += "<FIELD attrname=\"";
        appendEscaped(buffer_, def.name);
        buffer_ += "\" fieldtype=\"";
        buffer_ += fieldTypeName(def.type);
        buffer_ += '"';
        if (def.type == FieldType::String) buffer_ += " WIDTH=\"" + std::to_string(def.size) + '"';
        buffer_ += "/>";
    }
    buffer_ += "</FIELDS><PARAMS/></METADATA><ROWDATA";
}

WorkFileWriter::~WorkFileWriter() {
    if (file_) std::fclose(file_);
}

void WorkFileWriter::beginRow() {
    buffer_ += anyRow_ ? "<ROW" : "><ROW";
    anyRow_ = true;
}

void WorkFileWriter::attribute(int field) {
    buffer_ += ' ';
    buffer_ += names_[field];
    buffer_ += "=\"";
}

std::string WorkFileWriter::textAttribute(int field, std::string_view value) const {
    std::string made = " " + names_[field] + "=\"";
    appendEscaped(made, value);
    made += '"';
    return made;
}

void WorkFileWriter::madeAttribute(std::string_view made) { buffer_ += made; }

// Decimal integers; floats as the shortest text that reads back to the same value.
template <class T>
void WorkFileWriter::number(int field, T value) {
    attribute(field);
    char digits[32];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    buffer_.append(digits, end);
    buffer_ += '"';
}

void WorkFileWriter::integer(int field, int32_t value) { number(field, value); }
void WorkFileWriter::real(int field, double value) { number(field, value); }

void WorkFileWriter::endRow() {
    buffer_ += "/>";
    flushIfFull();
}

void WorkFileWriter::flushIfFull() {
    if (buffer_.size() >= kFlushAt) flush();
}

void WorkFileWriter::flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) fail();
    buffer_.clear();
}

void WorkFileWriter::finish() {
    buffer_ += anyRow_ ? "</ROWDATA></DATAPACKET>" : "/></DATAPACKET>";
    flush();
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) fail();
}

void WorkFileWriter::fail() { throw Error("Cannot create file \"" + path_ + "\". " + std::strerror(errno)); }

}  // namespace gravmark
