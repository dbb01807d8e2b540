#pragma once
// The remote log as the SFTP subsystem of a logged-in SSH session serves it: its size by
// stat, and its bytes from an offset on, read with several requests in flight so that a
// large log comes at the speed of the link rather than one round trip per block. Used on
// the session's worker thread only.
#include <libssh/libssh.h>
#include <libssh/sftp.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gravmark {

class SshConnection;

class SftpLogFile {
public:
    // path is used as it stands: absolute with a leading "/", else from the login folder.
    SftpLogFile(SshConnection& connection, std::string path);
    ~SftpLogFile();
    SftpLogFile(const SftpLogFile&) = delete;
    SftpLogFile& operator=(const SftpLogFile&) = delete;

    // The size, or nothing when the server does not say. A folder or a missing file is
    // an error.
    std::optional<int64_t> size();

    // Hands the bytes from offset to the end to deliver, in blocks of at most 32,768
    // bytes, until the end or until deliver returns false.
    void read(int64_t offset, const std::function<bool(std::string_view)>& deliver);

private:
    [[noreturn]] void fail(const std::string& doing) const;

    SshConnection& connection_;
    std::string path_;
    sftp_session sftp_;
};

}  // namespace gravmark
