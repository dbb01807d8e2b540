#pragma once
// The local copy of the log while it is downloaded. An existing file is continued at its
// end, a missing one is created empty. Every block goes to the file with one system call
// as it arrives, so the bytes received stay there whatever happens next; the path's
// bytes are used as they are.
#include <cstddef>
#include <cstdint>
#include <string>

namespace gravmark {

class LocalLogFile {
public:
    explicit LocalLogFile(const std::string& path);
    ~LocalLogFile();
    LocalLogFile(const LocalLogFile&) = delete;
    LocalLogFile& operator=(const LocalLogFile&) = delete;

    // The size when it was opened: where the download continues.
    int64_t initialSize() const { return initialSize_; }
    void append(const char* data, size_t length);

private:
    std::string path_;
    int descriptor_ = -1;
    int64_t initialSize_ = 0;
};

}  // namespace gravmark
