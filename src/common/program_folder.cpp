#include "common/program_folder.h"

#include <filesystem>

namespace gravmark {

namespace {

std::string withSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string& folderSetting() {
    static std::string folder = executableFolder();
    return folder;
}

}  // namespace

std::string executableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return withSeparator(std::filesystem::current_path().string());
    return withSeparator(exe.parent_path().string());
}

std::string programFolder() { return folderSetting(); }

void setProgramFolder(const std::string& folder) { folderSetting() = withSeparator(folder); }

std::string inProgramFolder(const std::string& path) {
    return path.starts_with('/') ? path : programFolder() + path;
}

}  // namespace gravmark
