#include "common/program_folder.h"

#include <filesystem>

#include "platform/native_path.h"

namespace gravmark {

namespace {

std::string withSeparator(std::string folder) {
    if (!platform::endsWithSeparator(folder)) folder += '/';
    return folder;
}

std::string& folderSetting() {
    static std::string folder = executableFolder();
    return folder;
}

}  // namespace

std::string executableFolder() {
    const std::string folder = platform::executableFolder();
    if (!folder.empty()) return folder;
    std::error_code error;
    return withSeparator(platform::pathBytes(std::filesystem::current_path(error)));
}

std::string programFolder() { return folderSetting(); }

void setProgramFolder(const std::string& folder) { folderSetting() = withSeparator(folder); }

std::string inProgramFolder(const std::string& path) {
    return platform::isAbsolutePath(path) ? path : programFolder() + path;
}

}  // namespace gravmark
