#include "report/cannot_create.h"

#include <cstring>
#include <filesystem>

#include "common/error.h"

namespace gravmark {

void throwCannotCreate(const std::string& path, int error) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    const std::string shown = absolute.empty() ? path : absolute.lexically_normal().string();
    throw Error("Cannot create file \"" + shown + "\". " + std::strerror(error));
}

}  // namespace gravmark
