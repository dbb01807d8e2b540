#include "report/missing_file.h"

#include "platform/file_access.h"
#include "platform/file_replace.h"

namespace gravmark {

void addMissingFile(const std::string& folder, const std::string& name, std::string_view bytes) {
    const std::string into = folder.empty() ? std::string(".") : folder;
    const std::string target = into + '/' + name;
    if (platform::entryKind(target) != platform::EntryKind::None) return;
    // Written to a temporary file first and then linked under its name, which fails when
    // an entry of that name exists.
    std::string temporary = into + "/.missing.XXXXXX";
    const int fd = platform::createTemporaryFile(temporary);
    if (fd < 0) return;
    const bool written = platform::writeAll(fd, bytes.data(), bytes.size()) && platform::setPageMode(fd, "") == 0;
    if (platform::closeFile(fd) == 0 && written) platform::addName(temporary, target);
    platform::removeFile(temporary);
}

}  // namespace gravmark
