#include "report/read_template.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/error.h"
#include "common/text_box_lines.h"
#include "platform/file_access.h"
#include "platform/native_path.h"

namespace gravmark {

namespace {

[[noreturn]] void cannotOpen(const std::string& path, int error) {
    throw Error("Cannot open file \"" + path + "\". " + std::strerror(error));
}

}  // namespace

void readTemplate(const std::string& path, TextBoxLines& box) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(platform::nativePath(path), ignored))
        return;  // a folder is no template either

    const int fd = platform::openFile(path, platform::OpenFor::Reading);
    if (fd < 0) cannotOpen(path, errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const int64_t got = platform::readSome(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            const int error = errno;
            platform::closeFile(fd);
            cannotOpen(path, error);
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    platform::closeFile(fd);
    box.setText(bytes);
}

}  // namespace gravmark
