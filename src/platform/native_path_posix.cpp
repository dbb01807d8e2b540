#include "platform/native_path.h"

namespace gravmark::platform {

std::filesystem::path nativePath(std::string_view bytes) { return std::filesystem::path(bytes); }

std::string pathBytes(const std::filesystem::path& path) { return path.string(); }

bool isAbsolutePath(std::string_view bytes) { return bytes.starts_with('/'); }

bool endsWithSeparator(std::string_view bytes) { return bytes.ends_with('/'); }

std::string executableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "";
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace gravmark::platform
