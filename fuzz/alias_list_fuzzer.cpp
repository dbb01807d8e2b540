// The alias list aliases.txt: whatever a file holds, reading it never fails; every line that
// is no rule in force is reported with its number; writing keeps every line, so reading the
// written file gives the same rules and the same reports; the rules lead every alias to a
// name that is no alias (no cycle); a rule that is kept is followed; a rule that is removed
// is gone; and after each change, reading the written file gives what the list holds.
//
// Input: a length byte and an alias, a length byte and a kept name (each at most the event
// table's 40 bytes), then the file's bytes.
#include <set>
#include <string>

#include "common/byte_order_mark.h"
#include "fuzz_support.h"
#include "names/alias_list.h"

namespace {

using namespace gravmark;

// The number of each line that is neither a comment nor empty, as the reader splits lines
// (a byte-order mark at the start belongs to no line).
std::set<size_t> ruleLines(std::string_view file) {
    if (file.starts_with(kByteOrderMark)) file.remove_prefix(kByteOrderMark.size());
    std::set<size_t> numbers;
    size_t number = 0;
    while (!file.empty()) {
        const size_t end = file.find('\n');
        std::string_view line = file.substr(0, end);
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++number;
        if (!line.empty() && line.front() != '#') numbers.insert(number);
    }
    return numbers;
}

std::set<size_t> reportedLines(const AliasList& list) {
    std::set<size_t> numbers;
    for (const std::string& problem : list.problems()) {
        constexpr std::string_view kPrefix = "aliases.txt line ";
        fuzz::require(problem.starts_with(kPrefix), "a report names its line", problem);
        numbers.insert(std::stoul(problem.substr(kPrefix.size())));
    }
    return numbers;
}

void requireWrittenAsHeld(const AliasList& list, const std::string& path, std::string_view change) {
    list.write(path);
    const AliasList again = AliasList::read(path);
    fuzz::require(again.finalNames() == list.finalNames(), "the written file holds the same rules", change);
    fuzz::require(again.problems() == list.problems(), "the written file reports the same lines", change);
}

void requireFinal(const AliasList& list) {
    const NameRenames names = list.finalNames();
    fuzz::require(names.size() == list.rules().size(), "every rule in force has a final name");
    for (const auto& [alias, kept] : names) {
        fuzz::require(!names.contains(kept), "a final name is no alias", alias + " -> " + kept);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ByteReader input(fuzz::bytesOf(data, size));
    const std::string alias(input.text(40));
    const std::string kept(input.text(40));
    const std::string_view file = input.rest();

    const std::string path = AliasList::fileName(fuzz::scratch().folder());
    test::writeFile(path, file);
    AliasList list = AliasList::read(path);
    const std::set<size_t> reported = reportedLines(list);
    const std::set<size_t> lines = ruleLines(file);
    fuzz::require(list.rules().size() + reported.size() >= lines.size(), "every line is a rule or reported");
    for (size_t number : reported) fuzz::require(lines.contains(number), "only rule lines are reported");
    requireFinal(list);

    requireWrittenAsHeld(list, path, "rewritten unchanged");

    const NameRenames before = list.finalNames();
    const std::vector<std::string> problemsBefore = list.problems();
    if (list.keep(alias, kept)) {
        fuzz::require(list.finalNames() == before && list.problems() == problemsBefore,
                      "a refused rule changes nothing");
    } else {
        requireFinal(list);
        const NameRenames after = list.finalNames();
        const auto keptFinal = after.find(kept);
        fuzz::require(after.at(alias) == (keptFinal == after.end() ? kept : keptFinal->second),
                      "a kept rule is followed", alias + " -> " + kept);
        requireWrittenAsHeld(list, path, "a kept rule");
    }

    if (list.remove(alias)) {
        requireFinal(list);
        fuzz::require(!list.finalNames().contains(alias), "a removed rule is gone", alias);
        requireWrittenAsHeld(list, path, "a removed rule");
    }
    return 0;
}
