#pragma once
// The one message of a file the page or a file beside it could not be written to.
#include <string>

namespace gravmark {

// Throws gravmark::Error("Cannot create file \"<full path>\". <system reason of error>").
[[noreturn]] void throwCannotCreate(const std::string& path, int error);

}  // namespace gravmark
