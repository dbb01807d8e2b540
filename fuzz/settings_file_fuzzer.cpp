// The settings file: whatever a file holds, writing one key makes that key read back as
// written and leaves every other key of the file reading as before.
//
// Input: a length byte and the section, a length byte and the key, a length byte and the
// value, then the file's bytes.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "settings/ini_file.h"

namespace {

constexpr std::string_view kBlanks = " \t";

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
}

bool trimmedAlready(std::string_view text) {
    return !text.empty() && kBlanks.find(text.front()) == std::string_view::npos &&
           kBlanks.find(text.back()) == std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    const size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool holdsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A section name, key and value the file can hold so that they read back as they are.
bool writable(std::string_view section, std::string_view key, std::string_view value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return trimmedAlready(section) && section.find(']') == std::string_view::npos &&
           !holdsLineBreak(section) && trimmedAlready(key) && key.find('=') == std::string_view::npos &&
           key.front() != '[' && !holdsLineBreak(key) && (value.empty() || trimmedAlready(value)) &&
           !quoted && !holdsLineBreak(value);
}

// Every (section, key) the file names as the reader sees it, spelled as in the file and
// keyed by their lower-case forms so that each is listed once.
std::map<std::pair<std::string, std::string>, std::pair<std::string, std::string>> keysOf(
    std::string_view file) {
    std::map<std::pair<std::string, std::string>, std::pair<std::string, std::string>> keys;
    std::optional<std::string> section;
    if (file.starts_with("\xEF\xBB\xBF")) file.remove_prefix(3);  // a byte-order mark
    while (!file.empty()) {
        const size_t end = file.find('\n');
        std::string_view line = file.substr(0, end);
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::string_view inner = trimmed(line);
        if (!inner.empty() && inner.front() == '[') {
            const size_t close = inner.find(']');
            section =
                std::string(trimmed(inner.substr(1, close == std::string_view::npos ? close : close - 1)));
        } else if (const size_t equals = line.find('='); section && equals != std::string_view::npos) {
            const std::string key(trimmed(line.substr(0, equals)));
            keys[{lowered(*section), lowered(key)}] = {*section, key};
        }
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gravmark;
    fuzz::ByteReader input(fuzz::bytesOf(data, size));
    const std::string section(input.text(24));
    const std::string key(input.text(24));
    const std::string value(input.text(80));
    const std::string_view file = input.rest();
    if (!writable(section, key, value)) return 0;

    const std::string path = fuzz::scratch().file("settings.ini");
    test::writeFile(path, file);
    const IniFile ini(path);
    const auto keys = keysOf(file);
    const std::pair<std::string, std::string> written{lowered(section), lowered(key)};
    constexpr std::string_view kMissing = "\x01missing";
    std::vector<std::string> before;
    for (const auto& [id, spelled] : keys)
        before.push_back(ini.readString(spelled.first, spelled.second, kMissing));

    ini.writeString(section, key, value);
    fuzz::require(ini.readString(section, key, kMissing) == value, "a written key reads back as written");
    size_t i = 0;
    for (const auto& [id, spelled] : keys) {
        const std::string now = ini.readString(spelled.first, spelled.second, kMissing);
        fuzz::require(
            id == written || now == before[i], "every other key reads as before",
            "[" + spelled.first + "] " + spelled.second + ": \"" + before[i] + "\" became \"" + now + "\"");
        ++i;
    }
    return 0;
}
