#include "settings/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "common/byte_order_mark.h"
#include "common/error.h"
#include "common/file_names.h"
#include "common/program_folder.h"
#include "platform/native_path.h"

namespace gravmark {

namespace {

using Lines = std::vector<std::string>;

std::string_view trimmed(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The name of a section line ("[name]"), or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    return trimmed(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

bool isKeyLine(std::string_view line, std::string_view key) {
    const size_t equals = line.find('=');
    return equals != std::string_view::npos && sameName(trimmed(line.substr(0, equals)), key);
}

struct IniText {
    bool byteOrderMark = false;
    Lines lines;
};

IniText readLines(const std::string& path) {
    std::ifstream in(platform::nativePath(path), std::ios::binary);
    IniText text;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text.lines.push_back(std::move(line));
    }
    if (!text.lines.empty() && text.lines.front().starts_with(kByteOrderMark)) {
        text.lines.front().erase(0, kByteOrderMark.size());
        text.byteOrderMark = true;
    }
    return text;
}

// The file is replaced whole (a temporary file renamed over it), so a full disk or a crash
// never leaves it half-written; where the folder takes no new files but the file itself is
// writable, it is rewritten in place as before. A new file is for its owner only.
void writeLines(const std::string& path, const IniText& text) {
    std::string content(text.byteOrderMark ? kByteOrderMark : "");
    for (const auto& line : text.lines) content += line + "\r\n";
    const Error failure("Unable to write to " + path);
    const QString name = qtFileName(path);
    const bool isNew = !QFile::exists(name);
    QSaveFile file(name);
    file.setDirectWriteFallback(true);
    // Unbuffered, so that a failed write is seen by commit() and the old file stays.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw failure;
    if (isNew) file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const auto size = static_cast<qint64>(content.size());
    if (file.write(content.data(), size) != size) {
        file.cancelWriting();
        file.commit();
        throw failure;
    }
    if (!file.commit()) throw failure;
}

// The value of a key line as it is read: trimmed, one enclosing pair of quotes removed, capped.
std::string readValue(std::string_view line) {
    std::string_view value = trimmed(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, IniFile::kMaxValueLength));
}

std::optional<int64_t> digitsValue(std::string_view digits, int base, int64_t limit) {
    if (digits.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && lower(c) >= 'a' && lower(c) <= 'f')
            digit = lower(c) - 'a' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return value;
}

// A whole number as the flags are stored: decimal with an optional sign, or hexadecimal
// after "0x" when the text has at least three characters (a hexadecimal text covers the
// 32 bits, so "0xFFFFFFFF" is -1).
std::optional<int32_t> wholeNumber(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && lower(text[1]) == 'x') {
        const auto value = digitsValue(text.substr(2), 16, 0xFFFFFFFFLL);
        if (!value) return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*value));
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const auto value = digitsValue(text, 10, negative ? 2147483648LL : 2147483647LL);
    if (!value) return std::nullopt;
    return static_cast<int32_t>(negative ? -*value : *value);
}

}  // namespace

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    bool inSection = false;
    for (const auto& line : readLines(path_).lines) {
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, section);
        } else if (inSection && isKeyLine(line, key)) {
            return readValue(line);
        }
    }
    return std::string(defaultValue.substr(0, kMaxValueLength));
}

void IniFile::requireReadable() const {
    const QString name = qtFileName(path_);
    const QFileInfo info(name);
    if (!info.exists()) return;
    if (info.isDir()) throw Error("Cannot read " + path_ + ": it is a folder");
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw Error("Cannot read " + path_ + ": " + file.errorString().toStdString());
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    const auto number = wholeNumber(readString(section, key, ""));
    return number ? *number != 0 : defaultValue;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) const {
    IniText text = readLines(path_);
    Lines& lines = text.lines;
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    size_t i = 0;
    while (i < lines.size() && !(sectionName(lines[i]) && sameName(*sectionName(lines[i]), section))) ++i;
    if (i == lines.size()) {
        lines.push_back(std::string("[").append(section).append("]"));
        lines.push_back(keyLine);
        writeLines(path_, text);
        return;
    }
    size_t insertAt = i + 1;  // after the last non-blank line of the section
    for (size_t j = i + 1; j < lines.size() && !sectionName(lines[j]); ++j) {
        if (isKeyLine(lines[j], key)) {
            lines[j] = keyLine;
            writeLines(path_, text);
            return;
        }
        if (!trimmed(lines[j]).empty()) insertAt = j + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine);
    writeLines(path_, text);
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) const {
    writeString(section, key, value ? "1" : "0");
}

std::string settingsFileName() { return programFolder() + "GravmarkParser.INI"; }

}  // namespace gravmark
