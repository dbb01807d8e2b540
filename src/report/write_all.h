#pragma once
// Writing a whole buffer to a file descriptor.
#include <string_view>

namespace gravmark {

// Writes every byte, going on after interrupted writes; false (errno set) on a failure.
bool writeAll(int fd, std::string_view bytes);

}  // namespace gravmark
