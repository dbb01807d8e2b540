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
    // The folder with a trailing separator, as the program folder is given.
    std::string folder() const { return path_.string() + "/"; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void writeFile(const std::string& path, std::string_view bytes);
std::string readFile(const std::string& path);

}  // namespace gravmark::test
