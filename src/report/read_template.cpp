#include "report/read_template.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/error.h"
#include "common/text_box_lines.h"

namespace gravmark {

namespace {

[[noreturn]] void cannotOpen(const std::string& path, int error) {
    throw Error("Cannot open file \"" + path + "\". " + std::strerror(error));
}

}  // namespace

void readTemplate(const std::string& path, TextBoxLines& box) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return;  // a folder is no template either

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) cannotOpen(path, errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            cannotOpen(path, error);
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    box.setText(bytes);
}

}  // namespace gravmark
