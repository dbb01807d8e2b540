#include "report/cannot_create.h"

#include <filesystem>

#include "common/error.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"

namespace gravmark {

void throwCannotCreate(const std::string& path, int error) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(platform::nativePath(path), ignored);
    const std::string shown = absolute.empty() ? path : platform::pathBytes(absolute.lexically_normal());
    throw Error("Cannot create file \"" + shown + "\". " + platform::failureText(error));
}

}  // namespace gravmark
