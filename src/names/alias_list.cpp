#include "names/alias_list.h"

#include <QFile>
#include <QSaveFile>
#include <unordered_map>

#include "common/error.h"
#include "names/alias_chains.h"
#include "table/event_table.h"

namespace gravmark {

namespace {

bool isComment(const std::string& line) { return line.empty() || line.front() == '#'; }

// A name a rule line can hold: the file has no escape for line breaks and NUL bytes.
bool keepable(const std::string& name) {
    return !name.empty() && name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

// The lines of the file without their line ends (CR LF or LF); no line after a final one.
std::vector<std::string> splitLines(const QByteArray& content) {
    std::vector<std::string> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) end = content.size();
        qsizetype stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        lines.emplace_back(content.constData() + start, static_cast<size_t>(stop - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string AliasList::fileName(const std::string& folder) { return folder + "aliases.txt"; }

AliasList AliasList::read(const std::string& path) {
    AliasList list;
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.exists()) return list;
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error("Cannot read " + path + ": " + file.errorString().toStdString());
    }
    const std::vector<std::string> lines = splitLines(file.readAll());
    AliasChains chains;
    std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> lineOfAlias;
    list.lines_.reserve(lines.size());
    for (size_t number = 1; number <= lines.size(); ++number) {
        Line& line = list.lines_.emplace_back(Line{lines[number - 1], std::nullopt});
        if (isComment(line.text)) continue;
        const auto report = [&](const std::string& problem) {
            list.problems_.push_back("aliases.txt line " + std::to_string(number) + ": " + problem);
        };
        ReadAliasLine read = readAliasLine(line.text);
        if (!read.rule) {
            report(read.problem);
            continue;
        }
        AliasRule& rule = *read.rule;
        constexpr size_t kWidth = kEventNameWidth;
        for (std::string* name : {&rule.alias, &rule.kept}) {
            if (name->size() <= kWidth) continue;
            name->resize(kWidth);
            report("a name longer than " + std::to_string(kWidth) + " bytes is used as its first " +
                   std::to_string(kWidth) + ": " + inQuotes(*name));
        }
        if (rule.alias == rule.kept) {
            report("the alias and the kept name are the same");
        } else if (const auto first = lineOfAlias.find(rule.alias); first != lineOfAlias.end()) {
            report("a second rule for " + inQuotes(rule.alias) + "; the rule of line " +
                   std::to_string(first->second) + " holds");
        } else if (chains.wouldCycle(rule.alias, rule.kept)) {
            report(inQuotes(rule.alias) + " -> " + inQuotes(rule.kept) + " would make a cycle of names");
        } else {
            chains.add(rule.alias, rule.kept);
            lineOfAlias.emplace(rule.alias, number);
            line.rule = std::move(rule);
        }
    }
    return list;
}

std::vector<AliasRule> AliasList::rules() const {
    std::vector<AliasRule> rules;
    for (const Line& line : lines_) {
        if (line.rule) rules.push_back(*line.rule);
    }
    return rules;
}

AliasChains AliasList::chainsWithout(const std::string* leftOut) const {
    AliasChains chains;
    for (const Line& line : lines_) {
        if (line.rule && !(leftOut && line.rule->alias == *leftOut)) chains.add(line.rule->alias, line.rule->kept);
    }
    return chains;
}

AliasChains AliasList::chains() const { return chainsWithout(nullptr); }

NameRenames AliasList::finalNames() const { return chains().finalNames(); }

size_t AliasList::lineOf(const std::string& alias) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].rule && lines_[i].rule->alias == alias) return i;
    }
    return lines_.size();
}

std::optional<std::string> AliasList::keep(const std::string& alias, const std::string& kept) {
    if (!keepable(alias) || !keepable(kept)) {
        return inQuotes(alias) + " -> " + inQuotes(kept) +
               " was not kept: a name is empty or holds a line break or a NUL byte.";
    }
    if (chainsWithout(&alias).wouldCycle(alias, kept)) {
        return inQuotes(alias) + " -> " + inQuotes(kept) + " was not kept: it would make a cycle of names.";
    }
    AliasRule rule{alias, kept};
    Line made{aliasLineOf(rule), std::move(rule)};
    if (const size_t at = lineOf(alias); at < lines_.size()) {
        lines_[at] = std::move(made);
    } else {
        lines_.push_back(std::move(made));
    }
    return std::nullopt;
}

bool AliasList::remove(const std::string& alias) {
    const size_t at = lineOf(alias);
    if (at == lines_.size()) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

void AliasList::write(const std::string& path) const {
    QSaveFile file(QFile::decodeName(path.c_str()));
    bool written = file.open(QIODevice::WriteOnly);
    for (size_t i = 0; written && i < lines_.size(); ++i) {
        const std::string& text = lines_[i].text;
        written = file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                  file.write("\r\n", 2) == 2;
    }
    if (!written || !file.commit()) {
        throw Error("Cannot write " + path + ": " + file.errorString().toStdString());
    }
}

}  // namespace gravmark
