#pragma once
// Windows only: UTF-8 bytes and the system's UTF-16 text, for the _windows.cpp files here.
#include <string>
#include <string_view>

namespace gravmark::platform {

// Bytes that are no UTF-8 become U+FFFD; names the program made itself are always valid.
std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

// The errno value nearest to a Windows error code (GetLastError()), EIO when none is near.
int errnoOf(unsigned long windowsError);

}  // namespace gravmark::platform
