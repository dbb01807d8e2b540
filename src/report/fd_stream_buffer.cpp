#include "report/fd_stream_buffer.h"

#include <cerrno>

#include "platform/file_access.h"

namespace gravmark {

FdStreamBuffer::FdStreamBuffer(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

bool FdStreamBuffer::flush() {
    const char* at = pbase();
    while (error_ == 0 && at < pptr()) {
        const int64_t written = platform::writeSome(fd_, at, static_cast<size_t>(pptr() - at));
        if (written < 0)
            error_ = errno;
        else
            at += written;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

FdStreamBuffer::int_type FdStreamBuffer::overflow(int_type ch) {
    if (!flush()) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int FdStreamBuffer::sync() { return flush() ? 0 : -1; }

}  // namespace gravmark
