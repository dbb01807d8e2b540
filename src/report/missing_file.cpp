#include "report/missing_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "report/write_all.h"

namespace gravmark {

void addMissingFile(const std::string& folder, const std::string& name, std::string_view bytes) {
    const std::string into = folder.empty() ? std::string(".") : folder;
    const std::string target = into + '/' + name;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) return;
    // Written to a temporary file first and then linked under its name, which fails when
    // an entry of that name exists.
    std::string temporary = into + "/.missing.XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return;
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, 0644) == 0;
    if (::close(fd) == 0 && written) ::link(temporary.c_str(), target.c_str());
    ::unlink(temporary.c_str());
}

}  // namespace gravmark
