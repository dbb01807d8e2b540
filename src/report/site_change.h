#pragma once
// A change of several entries of one folder (the page, the pages and folders beside it)
// made as one: all of them or none.
//
// Every new file is first written whole into a hidden staging folder ".site.XXXXXX" in
// that folder. commit() then puts each staged entry in place by exchanging it with the
// old one in one rename, so the old entries gather in the staging folder; should one
// exchange fail, those already made are exchanged back and the folder holds the old
// entries as before. An entry is always replaced by its name: a symbolic link there is
// itself replaced, never written through. Finally the staging folder, holding the old
// entries or the unused new ones, is removed.
//
// The staging folder stays locked while the change lives; a staging folder left by a
// killed run is unlocked and is removed when the next change in that folder begins.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gravmark {

class SiteChange {
public:
    // Stages into `folder` (no trailing separator needed). Throws gravmark::Error
    // ("Cannot create file \"<shownOnFailure>\". <reason>", by default the staging
    // folder's name) when the folder takes no staging folder.
    explicit SiteChange(const std::string& folder, const std::string& shownOnFailure = {});
    // Removes the staging folder and what it holds.
    ~SiteChange();
    SiteChange(const SiteChange&) = delete;
    SiteChange& operator=(const SiteChange&) = delete;

    // A file `name` of the folder, given whole: mode 0644, or the mode of the regular file
    // it replaces; flushed to disk before commit. `durable` false leaves the flush to the
    // system (for the many small pages of a staged folder).
    void addFile(const std::string& name, std::string_view bytes, bool durable = true);
    // A folder `name` of the folder (mode 0755), staged empty; files go into it with
    // addFile("name/file", ...).
    void addFolder(const std::string& name);
    // Where the staged copy of `name` lies, for a caller that writes it by other means.
    std::string stagedPath(const std::string& name) const;

    // Puts every staged top-level entry in place, in the order they were added. Throws
    // gravmark::Error naming the entry that could not be put in place; the folder then
    // holds what it held before. An entry is refused before anything moves when the old
    // one is of the other kind (a folder where a file goes, or the reverse).
    void commit();

private:
    struct Entry {
        std::string name;
        bool folder;
    };
    void addEntry(const std::string& name, bool folder);
    void release();

    std::string folder_;
    std::string staging_;
    intptr_t lock_ = -1;
    std::vector<Entry> entries_;
};

}  // namespace gravmark
