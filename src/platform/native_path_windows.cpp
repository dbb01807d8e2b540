#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/native_path.h"
#include "platform/wide_text.h"

namespace gravmark::platform {

std::filesystem::path nativePath(std::string_view bytes) { return std::filesystem::path(wideText(bytes)); }

std::string pathBytes(const std::filesystem::path& path) { return utf8Text(path.wstring()); }

bool isAbsolutePath(std::string_view bytes) {
    const auto separator = [](char c) { return c == '/' || c == '\\'; };
    if (bytes.size() >= 2 && separator(bytes[0]) && separator(bytes[1])) return true;
    return bytes.size() >= 3 && std::isalpha(static_cast<unsigned char>(bytes[0])) && bytes[1] == ':' &&
           separator(bytes[2]);
}

bool endsWithSeparator(std::string_view bytes) { return bytes.ends_with('/') || bytes.ends_with('\\'); }

std::string executableFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return "";
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    std::string folder = utf8Text(name);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return folder.substr(0, folder.rfind('/') + 1);
}

}  // namespace gravmark::platform
