#pragma once
// File names are the file system's bytes in a std::string everywhere in the program. On
// Linux those are the bytes the kernel takes; on Windows they are UTF-8, and the system's
// own names are UTF-16. std::filesystem and the calls of this folder cross that border
// here only.
#include <filesystem>
#include <string>
#include <string_view>

namespace gravmark::platform {

// The path std::filesystem works with for the name's bytes (UTF-8 on Windows).
std::filesystem::path nativePath(std::string_view bytes);

// A path's bytes again, as the rest of the program keeps file names.
std::string pathBytes(const std::filesystem::path& path);

// Whether the name is absolute ("/x" on Linux; "C:/x", "C:\x", "//server/x" on Windows).
bool isAbsolutePath(std::string_view bytes);

// Whether the name ends in a folder separator ('/'; on Windows '\' as well).
bool endsWithSeparator(std::string_view bytes);

// The folder of the running program's executable, with a trailing '/', "" when unknown.
std::string executableFolder();

}  // namespace gravmark::platform
