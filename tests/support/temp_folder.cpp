#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/folder_access.h"
#include "platform/native_path.h"

namespace gravmark::test {

TempFolder::TempFolder() {
    std::string pattern =
        platform::pathBytes(std::filesystem::temp_directory_path() / "gravmark-test-XXXXXX");
    if (platform::makeTemporaryFolder(pattern) != 0)
        throw std::runtime_error("cannot make a temporary folder");
    path_ = platform::nativePath(pattern);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::folder() const { return platform::pathBytes(path_ / ""); }

std::string TempFolder::file(std::string_view name) const {
    return platform::pathBytes(path_ / platform::nativePath(name));
}

void makeFolder(const std::string& path) { std::filesystem::create_directory(platform::nativePath(path)); }

bool exists(const std::string& path) { return std::filesystem::exists(platform::nativePath(path)); }

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(platform::nativePath(path), std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(platform::nativePath(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace gravmark::test
