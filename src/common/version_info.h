#pragma once
// versinfo: the program's own version record, an ordered list of ten texts counted
// from 0. Entry 2 is the file version text, entry 8 the product version text.
// A text the record lacks reads as empty; with no record every text reads
// "Value Not Available". The record is carried inside the program.
#include <array>
#include <optional>
#include <string>

namespace gravmark {

// A version record: for each key, its text when the record has one. The keys, in order:
// CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright,
// LegalTrademarks, OriginalFilename, ProductName, ProductVersion, Comments.
using VersionRecord = std::array<std::optional<std::string>, 10>;

// The record this program carries.
const std::optional<VersionRecord>& builtInVersionRecord();

class VersionInfo {
public:
    static constexpr int kFileVersion = 2;
    static constexpr int kProductVersion = 8;

    // Reads the built-in record.
    VersionInfo();
    // Reads the given record; nothing means the program carries none.
    explicit VersionInfo(std::optional<VersionRecord> record);

    std::string item(int index) const;  // "" for an index outside 0..9
    std::string fileVersion() const { return item(kFileVersion); }
    std::string productVersion() const { return item(kProductVersion); }

private:
    std::array<std::string, 10> items_;
};

}  // namespace gravmark
