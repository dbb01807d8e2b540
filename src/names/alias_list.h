#pragma once
// AliasList: the kept rules of "aliases.txt" in the program folder, a plain file a person
// can read and edit. One rule a line (see alias_line.h); lines starting with "#" and empty
// lines are comments; CR LF and LF line ends are read, CR LF is written.
//
// Every line of the file is kept, in order, as it was read: comments, rules, and lines
// that are no rule in force (unreadable, a second rule for one alias, a rule closing a
// cycle). Such lines are reported with their line number and stay in the file when it is
// written again; only rules the program adds, replaces or removes change.
//
// What the list holds is always what reading the written file gives: a change is read
// over all the lines again, and a change that would bring a line that was no rule in force
// into force is refused, so that no rule comes or goes unseen.
//
// Names are compared as the event table stores them: their first 40 bytes. A longer name
// read from the file is cut and reported; the line itself is left as it is.
#include <optional>
#include <string>
#include <vector>

#include "names/alias_line.h"
#include "names/name_renames.h"

namespace gravmark {

class AliasChains;

class AliasList {
public:
    // "aliases.txt" in the given folder (ending in a separator).
    static std::string fileName(const std::string& folder);

    // Reads the file; a missing file is an empty list. Throws Error when it exists but
    // cannot be read.
    static AliasList read(const std::string& path);

    // What reading found wrong, one text per line: "aliases.txt line 3: ...".
    const std::vector<std::string>& problems() const { return problems_; }
    // The rules in force, in file order.
    std::vector<AliasRule> rules() const;
    // Every alias with the kept name at the end of its chain of rules.
    NameRenames finalNames() const;
    // The rules in force as chains, for adding rules of another source.
    AliasChains chains() const;

    // Adds the rule alias -> kept, replacing the rule in force for that alias. A rule that
    // would make a cycle, with a name that is empty or holds a line break or a NUL byte, or
    // that would bring another line into force (a rule that closed a cycle through the
    // replaced one), is refused: then the text saying so is returned and nothing changes.
    std::optional<std::string> keep(const std::string& alias, const std::string& kept);
    // Removes the rule in force for the alias, and with it the alias's other rule lines
    // (second rules), which would otherwise come into force; false when there is none.
    bool remove(const std::string& alias);

    // Writes the byte-order mark the file was read with, then every line, CR LF after each, to a temporary file that then replaces `path`.
    // Throws Error when that fails; the old file is then untouched.
    void write(const std::string& path) const;

private:
    struct Line {
        std::string text;                  // as read or as made, without the line end
        std::optional<AliasRule> rule;     // the line read as a rule, names cut; unset for a comment
        std::vector<std::string> readings;  // what reading the line found wrong
        bool inForce = false;
    };

    static Line lineFrom(std::string text);
    // Decides afresh, in file order, which rules are in force and what is reported.
    void settle();
    // The line holding the rule in force for the alias, or lines_.size().
    size_t lineOf(const std::string& alias) const;
    // The chains of every rule in force, except the one for `leftOut` when given.
    AliasChains chainsWithout(const std::string* leftOut) const;

    std::vector<Line> lines_;
    std::vector<std::string> problems_;
    bool byteOrderMark_ = false;  // the file began with one (common/byte_order_mark.h)
};

}  // namespace gravmark
