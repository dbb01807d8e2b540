#include "fetch/local_log_file.h"

#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "platform/file_access.h"

namespace gravmark {
namespace {

std::string fileError(const char* what, const std::string& path) {
    return std::string(what) + " \"" + path + "\". " + std::strerror(errno);
}

}  // namespace

LocalLogFile::LocalLogFile(const std::string& path, Start start) : path_(path) {
    descriptor_ = platform::openFile(
        path, start == Start::Empty ? platform::OpenFor::AppendingEmptied : platform::OpenFor::Appending);
    if (descriptor_ < 0) throw Error(fileError("Cannot open file", path_));
    initialSize_ = platform::fileSize(descriptor_);
    if (initialSize_ < 0) {
        const Error failure(fileError("Cannot open file", path_));
        platform::closeFile(descriptor_);
        throw failure;
    }
}

LocalLogFile::~LocalLogFile() { platform::closeFile(descriptor_); }

void LocalLogFile::append(const char* data, size_t length) {
    if (!platform::writeAll(descriptor_, data, length))
        throw LocalWriteFailed(fileError("Cannot write file", path_));
}

}  // namespace gravmark
