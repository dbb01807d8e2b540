#pragma once
// A temporary folder for one test, removed when the test ends, with small file helpers.
#include <filesystem>
#include <string>
#include <string_view>

namespace gravmark::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder with a trailing separator, as the program folder is given. Both names are
    // the file system's bytes (UTF-8 on Windows), with the system's own separator.
    std::string folder() const;
    std::string file(std::string_view name) const;

private:
    std::filesystem::path path_;
};

// std::filesystem reads a std::string in the C library's code page, which on Windows is no
// UTF-8: names in other letters than ASCII's go through these.
void makeFolder(const std::string& path);
bool exists(const std::string& path);

void writeFile(const std::string& path, std::string_view bytes);
std::string readFile(const std::string& path);

}  // namespace gravmark::test
