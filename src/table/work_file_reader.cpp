#include "table/work_file_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <pugixml.hpp>

#include "common/error.h"
#include "table/number_text.h"

namespace gravmark {

namespace {

constexpr size_t kBlockBytes = size_t(4) << 20;
constexpr unsigned kParseOptions = pugi::parse_escapes;

struct BadPacket {
    std::string reason;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

template <class T>
T number(const char* text, const char* what) {
    const std::optional<T> value = parseNumber<T>(text);
    if (!value) throw BadPacket{std::string("bad ") + what + " value '" + text + "'"};
    return *value;
}

std::vector<FieldDef> readFields(std::string header) {
    header += "</DATAPACKET>";
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(header.data(), header.size(), kParseOptions, pugi::encoding_utf8)) {
        throw BadPacket{"bad packet header"};
    }
    pugi::xml_node fields = doc.child("DATAPACKET").child("METADATA").child("FIELDS");
    if (!fields) throw BadPacket{"no field definitions"};
    std::vector<FieldDef> defs;
    for (pugi::xml_node node : fields.children()) {
        if (std::strcmp(node.name(), "FIELD") != 0) throw BadPacket{"unexpected element in FIELDS"};
        FieldDef def;
        def.name = node.attribute("attrname").value();
        std::string_view type = node.attribute("fieldtype").value();
        if (def.name.empty()) throw BadPacket{"field without a name"};
        if (type == "string") {
            def.type = FieldType::String;
            def.size = number<int>(node.attribute("WIDTH").value(), "WIDTH");
            if (def.size < 1) throw BadPacket{"bad WIDTH"};
        } else if (type == "i4") {
            def.type = FieldType::Integer;
        } else if (type == "r8") {
            def.type = FieldType::Float;
        } else {
            throw BadPacket{"unknown field type '" + std::string(type) + "'"};
        }
        defs.push_back(std::move(def));
    }
    if (defs.empty()) throw BadPacket{"no field definitions"};
    return defs;
}

// Parses ROW elements, handing each to onRow.
class RowParser {
public:
    RowParser(const std::vector<FieldDef>& defs,
              const std::function<void(const std::vector<PacketValue>&)>& onRow)
        : defs_(defs), onRow_(onRow), values_(defs.size()) {}

    void parse(char* data, size_t size) {
        if (trimmed(std::string_view(data, size)).empty()) return;
        pugi::xml_document doc;
        if (!doc.load_buffer_inplace(data, size, kParseOptions | pugi::parse_fragment, pugi::encoding_utf8)) {
            throw BadPacket{"bad ROW element"};
        }
        for (pugi::xml_node node : doc.children()) row(node);
    }

private:
    void row(pugi::xml_node node) {
        if (node.type() != pugi::node_element || std::strcmp(node.name(), "ROW") != 0 || node.first_child()) {
            throw BadPacket{"unexpected content in ROWDATA"};
        }
        for (PacketValue& v : values_) v = PacketValue{};
        next_ = 0;
        for (pugi::xml_attribute a : node.attributes()) {
            int f = fieldOf(a.name());
            PacketValue& v = values_[f];
            if (v.present) throw BadPacket{"field given twice in a ROW"};
            v.present = true;
            switch (defs_[f].type) {
                case FieldType::String:
                    v.text = a.value();
                    break;
                case FieldType::Integer:
                    v.integer = number<int32_t>(a.value(), "integer");
                    break;
                case FieldType::Float:
                    v.real = number<double>(a.value(), "float");
                    break;
            }
        }
        onRow_(values_);
    }

    // Attributes come in field order, so the search starts after the field found last.
    int fieldOf(const char* name) {
        for (size_t k = 0; k < defs_.size(); ++k) {
            size_t f = (next_ + k) % defs_.size();
            if (std::strcmp(defs_[f].name.c_str(), name) == 0) {
                next_ = f + 1;
                return int(f);
            }
        }
        throw BadPacket{std::string("unknown field '") + name + "'"};
    }

    const std::vector<FieldDef>& defs_;
    const std::function<void(const std::vector<PacketValue>&)>& onRow_;
    std::vector<PacketValue> values_;
    size_t next_ = 0;
};

// The file as a window of bytes that can be refilled from the file.
class BlockReader {
public:
    explicit BlockReader(std::FILE* file) : file_(file) {
        if (std::fseek(file, 0, SEEK_END) == 0) left_ = size_t(std::max<long>(std::ftell(file), 0));
        std::rewind(file);
    }

    bool more() {
        if (done_) return false;
        size_t old = data_.size();
        size_t want = std::min(kBlockBytes, left_ + 1);  // one more byte to see the end
        data_.resize(old + want);
        size_t got = std::fread(data_.data() + old, 1, want, file_);
        data_.resize(old + got);
        left_ -= std::min(left_, got);
        if (got < want) {
            if (std::ferror(file_)) throw BadPacket{"read error"};
            done_ = true;
        }
        return got > 0;
    }
    void drop(size_t count) { data_.erase(0, count); }
    std::string& data() { return data_; }
    bool done() const { return done_; }

private:
    std::FILE* file_;
    std::string data_;
    size_t left_ = 0;
    bool done_ = false;
};

// The start of the last ROW element that begins at or after `from`, or npos.
size_t lastRowStart(const std::string& data, size_t from) {
    for (size_t at = data.rfind("<ROW"); at != std::string::npos && at >= from;
         at = data.rfind("<ROW", at - 1)) {
        if (at + 4 < data.size() && (isBlank(data[at + 4]) || data[at + 4] == '/')) return at;
        if (at == 0) break;
    }
    return std::string::npos;
}

void readPacket(std::FILE* file, const std::function<void(std::vector<FieldDef>)>& onFields,
                const std::function<void(const std::vector<PacketValue>&)>& onRow) {
    BlockReader in(file);
    std::string& data = in.data();
    size_t rowData;
    while ((rowData = data.find("<ROWDATA")) == std::string::npos) {
        if (!in.more()) throw BadPacket{"no ROWDATA"};
    }
    size_t close;
    while ((close = data.find('>', rowData)) == std::string::npos) {
        if (!in.more()) throw BadPacket{"cut short"};
    }
    std::vector<FieldDef> defs = readFields(data.substr(0, rowData));
    bool empty = data[close - 1] == '/';
    in.drop(close + 1);
    RowParser rows(defs, onRow);
    onFields(defs);
    if (!empty) {
        // Whole rows are those before the last row start; the rest waits for the next block.
        while (in.more()) {
            size_t cut = lastRowStart(data, 1);
            if (cut == std::string::npos) continue;
            rows.parse(data.data(), cut);
            in.drop(cut);
        }
        size_t end = data.find("</ROWDATA>");
        if (end == std::string::npos) throw BadPacket{"cut short"};
        rows.parse(data.data(), end);
        in.drop(end + 10);
    } else {
        while (in.more()) {
        }
    }
    if (trimmed(data) != "</DATAPACKET>") throw BadPacket{"cut short or trailing content"};
}

}  // namespace

void readWorkFile(const std::string& path, const std::function<void(std::vector<FieldDef>)>& onFields,
                  const std::function<void(const std::vector<PacketValue>&)>& onRow) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    try {
        readPacket(file.get(), onFields, onRow);
    } catch (const BadPacket& bad) {
        throw Error("File \"" + path + "\" is not a valid data packet: " + bad.reason);
    }
}

}  // namespace gravmark
