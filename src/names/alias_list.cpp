#include "names/alias_list.h"

#include <QFile>
#include <QSaveFile>
#include <unordered_map>

#include "common/byte_order_mark.h"
#include "common/error.h"
#include "common/file_names.h"
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
    QFile file(qtFileName(path));
    if (!file.exists()) return list;
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error("Cannot read " + path + ": " + file.errorString().toStdString());
    }
    QByteArray content = file.readAll();
    list.byteOrderMark_ = content.startsWith(kByteOrderMark);
    if (list.byteOrderMark_) content.remove(0, kByteOrderMark.size());
    std::vector<std::string> texts = splitLines(content);
    list.lines_.reserve(texts.size());
    for (std::string& text : texts) list.lines_.push_back(lineFrom(std::move(text)));
    list.settle();
    return list;
}

AliasList::Line AliasList::lineFrom(std::string text) {
    Line line{std::move(text), std::nullopt, {}};
    if (isComment(line.text)) return line;
    ReadAliasLine read = readAliasLine(line.text);
    if (!read.rule) {
        line.readings.push_back(std::move(read.problem));
        return line;
    }
    constexpr size_t kWidth = kEventNameWidth;
    for (std::string* name : {&read.rule->alias, &read.rule->kept}) {
        if (name->size() <= kWidth) continue;
        name->resize(kWidth);
        line.readings.push_back("a name longer than " + std::to_string(kWidth) + " bytes is used as its first " +
                                std::to_string(kWidth) + ": " + inQuotes(*name));
    }
    line.rule = std::move(read.rule);
    return line;
}

void AliasList::settle() {
    problems_.clear();
    AliasChains chains;
    std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> lineOfAlias;
    for (size_t number = 1; number <= lines_.size(); ++number) {
        Line& line = lines_[number - 1];
        line.inForce = false;
        const auto report = [&](const std::string& problem) {
            problems_.push_back("aliases.txt line " + std::to_string(number) + ": " + problem);
        };
        for (const std::string& reading : line.readings) report(reading);
        if (!line.rule) continue;
        const AliasRule& rule = *line.rule;
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
            line.inForce = true;
        }
    }
}

std::vector<AliasRule> AliasList::rules() const {
    std::vector<AliasRule> rules;
    for (const Line& line : lines_) {
        if (line.inForce) rules.push_back(*line.rule);
    }
    return rules;
}

AliasChains AliasList::chainsWithout(const std::string* leftOut) const {
    AliasChains chains;
    for (const Line& line : lines_) {
        if (line.inForce && !(leftOut && line.rule->alias == *leftOut)) chains.add(line.rule->alias, line.rule->kept);
    }
    return chains;
}

AliasChains AliasList::chains() const { return chainsWithout(nullptr); }

NameRenames AliasList::finalNames() const { return chains().finalNames(); }

size_t AliasList::lineOf(const std::string& alias) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].inForce && lines_[i].rule->alias == alias) return i;
    }
    return lines_.size();
}

std::optional<std::string> AliasList::keep(const std::string& alias, const std::string& kept) {
    const std::string ruleText = inQuotes(alias) + " -> " + inQuotes(kept);
    if (!keepable(alias) || !keepable(kept)) {
        return ruleText + " was not kept: a name is empty or holds a line break or a NUL byte.";
    }
    if (chainsWithout(&alias).wouldCycle(alias, kept)) {
        return ruleText + " was not kept: it would make a cycle of names.";
    }
    Line made = lineFrom(aliasLineOf({alias, kept}));
    const size_t at = lineOf(alias);
    if (at == lines_.size()) {  // a new rule goes last and so changes nothing before it
        lines_.push_back(std::move(made));
        settle();
        return std::nullopt;
    }
    // A replaced rule can free a line that closed a cycle through it; with the cycle check
    // above, the first line to change is always such a line coming into force.
    std::vector<bool> inForceBefore;
    inForceBefore.reserve(lines_.size());
    for (const Line& line : lines_) inForceBefore.push_back(line.inForce);
    std::swap(lines_[at], made);
    settle();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i == at || lines_[i].inForce == inForceBefore[i]) continue;
        std::swap(lines_[at], made);
        settle();
        return ruleText + " was not kept: it would bring line " + std::to_string(i + 1) +
               " of aliases.txt into force; mend or remove that line first.";
    }
    return std::nullopt;
}

bool AliasList::remove(const std::string& alias) {
    if (lineOf(alias) == lines_.size()) return false;
    std::erase_if(lines_, [&](const Line& line) { return line.rule && line.rule->alias == alias; });
    settle();
    return true;
}

void AliasList::write(const std::string& path) const {
    QSaveFile file(qtFileName(path));
    bool written = file.open(QIODevice::WriteOnly);
    // A first line that itself begins with the mark's bytes (a name may) gets a mark in
    // front, so that reading takes away that one and leaves the line as it is.
    const bool firstLineLooksMarked = !lines_.empty() && lines_.front().text.starts_with(kByteOrderMark);
    if (written && (byteOrderMark_ || firstLineLooksMarked)) {
        const auto size = static_cast<qint64>(kByteOrderMark.size());
        written = file.write(kByteOrderMark.data(), size) == size;
    }
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
