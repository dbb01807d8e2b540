#pragma once
// A local copy of the log being written: opened to append at its end, or emptied first.
// Every block goes to the file with one system call as it arrives, so the bytes received
// stay there whatever happens next; the path's bytes are used as they are.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/error.h"

namespace gravmark {

// A block could not be written (a full disk, for one).
class LocalWriteFailed : public Error {
public:
    using Error::Error;
};

class LocalLogFile {
public:
    enum class Start { AtEnd, Empty };

    explicit LocalLogFile(const std::string& path, Start start = Start::AtEnd);
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
