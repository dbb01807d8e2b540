// What the FTP client reads from a server and from its settings, on arbitrary bytes:
//  - replies: codes of three digits, texts within their cap, a SIZE that is a size or none
//    and stands in the reply's text, and the same replies whether lines end in CR LF or not;
//  - the data port of an EPSV or PASV reply: 1 to 65535, and the port a reply names is
//    the port read back from a plain reply naming it;
//  - the server address (the input's first line): a port of 1 to 65535 that the text names
//    (FTP's 21 when it names none), and an address that, written out again, reads back the same.
#include <optional>
#include <string>
#include <vector>

#include "common/server_address.h"
#include "ftp/ftp_reply.h"
#include "ftp/passive_reply.h"
#include "fuzz_support.h"

namespace gravmark {
namespace {

constexpr uint16_t kFtpPort = 21;

void checkReply(const FtpReply& reply) {
    fuzz::require(reply.code >= 0 && reply.code <= 999, "a reply code has three digits");
    fuzz::require(reply.text.size() <= FtpReplyReader::kMaxReplyText, "a reply text keeps to its cap");
    const std::optional<int64_t> size = announcedSize(reply);
    fuzz::require(!size || (*size >= 0 && reply.code == 213), "a SIZE reply gives a size or none");
    fuzz::require(!size || reply.text.find(std::to_string(*size)) != std::string::npos,
                  "an announced size is written in the reply", reply.text);
    if (const auto port = epsvPort(reply.text)) {
        fuzz::require(*port >= 1, "an EPSV port is 1 to 65535", reply.text);
        fuzz::require(epsvPort("(|||" + std::to_string(*port) + "|)") == port, "an EPSV port reads back",
                      reply.text);
    }
    if (const auto port = pasvPort(reply.text)) {
        fuzz::require(*port >= 1, "a PASV port is 1 to 65535", reply.text);
        const std::string named =
            "(127,0,0,1," + std::to_string(*port / 256) + "," + std::to_string(*port % 256) + ")";
        fuzz::require(pasvPort(named) == port, "a PASV port reads back", reply.text);
    }
}

void checkReplies(std::string_view bytes) {
    FtpReplyReader bare, withBreaks;
    fuzz::ByteReader lines(bytes);
    while (!lines.empty()) {
        const std::string_view line = lines.untilByte('\n');
        const auto reply = bare.addLine(line);
        const auto same = withBreaks.addLine(std::string(line) + "\r\n");
        fuzz::require(reply.has_value() == same.has_value() &&
                          (!reply || (reply->code == same->code && reply->text == same->text)),
                      "line breaks do not change a reply");
        if (reply) checkReply(*reply);
    }
}

std::string written(const ServerAddress& address) {
    const bool bracketed = address.host.find(':') != std::string::npos;
    return (bracketed ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

void checkServerAddress(const std::string& server) {
    const ServerAddress address = parseServerAddress(server, kFtpPort);
    fuzz::require(address.port >= 1, "a port is 1 to 65535");
    if (address.host == server) {
        fuzz::require(address.port == kFtpPort, "a text taken whole as the host gets the default port");
    } else {
        const std::string bare = "[" + address.host + "]";
        const std::string port = server.substr(server.rfind(':') + 1);
        fuzz::require(server == bare || server == address.host + ":" + port || server == bare + ":" + port,
                      "a host taken apart is the text less its port", server);
        fuzz::require(server == bare ? address.port == kFtpPort : std::stoi(port) == address.port,
                      "the port is the one the text names", server);
    }
    if (address.host.find_first_of("[]") == std::string::npos) {
        const ServerAddress again = parseServerAddress(written(address), kFtpPort);
        fuzz::require(again.host == address.host && again.port == address.port,
                      "an address written out reads back the same", server);
    }
}

}  // namespace
}  // namespace gravmark

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = gravmark::fuzz::bytesOf(data, size);
    gravmark::checkReplies(bytes);
    gravmark::checkServerAddress(std::string(bytes.substr(0, bytes.find('\n'))));
    return 0;
}
