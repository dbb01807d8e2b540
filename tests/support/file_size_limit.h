#pragma once
// A file size limit of 4096 bytes while it lives: writes beyond it fail, as on a full
// disk, even for the superuser.
#include <sys/resource.h>

#include <csignal>

namespace gravmark::test {

class FileSizeLimit {
public:
    FileSizeLimit() : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*previousHandler_)(int);
    rlimit saved_{};
};

}  // namespace gravmark::test
