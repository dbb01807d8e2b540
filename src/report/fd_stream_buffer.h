#pragma once
// An output stream buffer over an open file descriptor, remembering the first error.
#include <array>
#include <streambuf>

namespace gravmark {

class FdStreamBuffer : public std::streambuf {
public:
    explicit FdStreamBuffer(int fd);

    // Writes what is buffered; false (and error() set) when a write failed.
    bool flush();
    // The errno of the first failed write, 0 while all went well.
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    int fd_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_;
};

}  // namespace gravmark
