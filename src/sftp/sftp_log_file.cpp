#include "sftp/sftp_log_file.h"

#include <fcntl.h>

#include <deque>
#include <memory>

#include "common/error.h"
#include "fetch/remote_log.h"
#include "sftp/ssh_connection.h"

namespace gravmark {

namespace {

constexpr uint32_t kBlockSize = 32'768;
// Requests in flight: enough to keep a fast link full, few enough to keep memory flat.
constexpr size_t kRequestsInFlight = 16;

struct AttributesFree {
    void operator()(sftp_attributes attributes) const { sftp_attributes_free(attributes); }
};
using Attributes = std::unique_ptr<std::remove_pointer_t<sftp_attributes>, AttributesFree>;

struct FileClose {
    void operator()(sftp_file file) const { sftp_close(file); }
};
using OpenFile = std::unique_ptr<std::remove_pointer_t<sftp_file>, FileClose>;

}  // namespace

SftpLogFile::SftpLogFile(SshConnection& connection, std::string path)
    : connection_(connection), path_(std::move(path)), sftp_(sftp_new(connection.session())) {
    if (!sftp_ || sftp_init(sftp_) != SSH_OK) {
        const std::string reason = connection_.lastError();
        if (sftp_) sftp_free(sftp_);
        throw Error("The server offers no SFTP: " + reason);
    }
}

SftpLogFile::~SftpLogFile() { sftp_free(sftp_); }

// A request can fail on the dead socket before libssh has marked the session closed, so
// the session is asked only here, after the failure (a fatal error means it is gone too):
// a lost session is a dropped transfer wherever it shows, and the continuation rules keep
// what came before it.
void SftpLogFile::fail(const std::string& doing) const {
    const ssh_session session = connection_.session();
    if (!ssh_is_connected(session) || ssh_get_error_code(session) == SSH_FATAL)
        throw TransferDropped("The server closed the connection.");
    switch (sftp_get_error(sftp_)) {
        case SSH_FX_NO_SUCH_FILE:
        case SSH_FX_NO_SUCH_PATH:
            throw Error("The log file \"" + path_ + "\" does not exist on the server.");
        case SSH_FX_PERMISSION_DENIED:
            throw Error("The server does not let this user read the log file \"" + path_ +
                        "\" (permission denied).");
        default:
            throw Error("The server could not " + doing + " the log file \"" + path_ +
                        "\": " + connection_.lastError());
    }
}

std::optional<int64_t> SftpLogFile::size() {
    const Attributes attributes(sftp_stat(sftp_, path_.c_str()));
    if (!attributes) fail("find");
    if (attributes->type == SSH_FILEXFER_TYPE_DIRECTORY)
        throw Error("The log file \"" + path_ + "\" on the server is a folder.");
    if (!(attributes->flags & SSH_FILEXFER_ATTR_SIZE)) return std::nullopt;
    return static_cast<int64_t>(attributes->size);
}

// Requests go out for consecutive blocks ahead of the one being collected. A short block
// before the end (a server may send less than asked) leaves a gap before the requests
// already made, so those are collected and dropped and reading starts again right after it.
void SftpLogFile::read(int64_t offset, const std::function<bool(std::string_view)>& deliver) {
    const OpenFile file(sftp_open(sftp_, path_.c_str(), O_RDONLY, 0));
    if (!file) fail("open");
    if (const Attributes attributes(sftp_fstat(file.get()));
        attributes && attributes->type == SSH_FILEXFER_TYPE_DIRECTORY)
        throw Error("The log file \"" + path_ + "\" on the server is a folder.");

    std::string buffer(kBlockSize, '\0');
    std::deque<int> inFlight;
    const auto collect = [&](int request) {
        const int received = sftp_async_read(file.get(), buffer.data(), kBlockSize, request);
        if (received < 0) fail("read");
        return received;
    };
    // Replies to requests still in flight are collected even when they are not wanted: a
    // reply left uncollected would stay in the session's memory. Clearing the end mark
    // first makes libssh collect a reply after an earlier one said "end of file".
    const auto dropInFlight = [&] {
        for (; !inFlight.empty(); inFlight.pop_front()) {
            sftp_seek64(file.get(), 0);
            collect(inFlight.front());
        }
    };

    int64_t position = offset;
    sftp_seek64(file.get(), static_cast<uint64_t>(position));
    while (true) {
        while (inFlight.size() < kRequestsInFlight) {
            const int request = sftp_async_read_begin(file.get(), kBlockSize);
            if (request < 0) fail("read");
            inFlight.push_back(request);
        }
        const int request = inFlight.front();
        inFlight.pop_front();
        const int received = collect(request);
        if (received == 0 || !deliver(std::string_view(buffer.data(), static_cast<size_t>(received)))) break;
        position += received;
        if (static_cast<uint32_t>(received) < kBlockSize) {
            dropInFlight();
            sftp_seek64(file.get(), static_cast<uint64_t>(position));
        }
    }
    dropInFlight();
}

}  // namespace gravmark
