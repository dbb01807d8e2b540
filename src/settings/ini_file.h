#pragma once
// IniFile: the settings file, read and written key by key like the platform's private
// profile functions, because the program relies on their exact behaviour:
//  - sections and keys match without regard to (ASCII) letter case;
//  - a value is read with blanks trimmed at both ends, one enclosing pair of matching
//    single or double quotes removed, and at most 2047 characters;
//  - a flag is a whole number (decimal, or hexadecimal after "0x"/"0X" when the value has
//    at least three characters): non-zero is set, zero is clear, anything else the default;
//  - every write reads the file, changes one line and writes the whole file back with
//    CR LF lines: other content is kept, a missing section is added at the end, a
//    missing key after the last line of its section;
//  - a new file is created readable and writable by its owner only (it holds a password);
//  - a failed write throws gravmark::Error "Unable to write to <path>".
// Every read and write goes to the file, so other programs' edits are seen at once.
#include <string>
#include <string_view>

namespace gravmark {

class IniFile {
public:
    static constexpr size_t kMaxValueLength = 2047;

    explicit IniFile(std::string path) : path_(std::move(path)) {}

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // A missing file reads as every default; so would one that exists but cannot be read
    // (a folder, no permission), which this throws gravmark::Error "Cannot read <path>: ..."
    // for, so that a run does not go on with settings nobody chose.
    void requireReadable() const;

    void writeString(std::string_view section, std::string_view key, std::string_view value) const;
    void writeBool(std::string_view section, std::string_view key, bool value) const;

private:
    std::string path_;
};

// The settings file of the program: its file name with the extension replaced by ".INI",
// in the program folder.
std::string settingsFileName();

}  // namespace gravmark
