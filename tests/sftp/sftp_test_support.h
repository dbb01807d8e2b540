#pragma once
// What the SFTP tests against real servers share: the prompts they answer and record,
// and reading a remote log whole.
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fetch/remote_log.h"
#include "sftp/sftp_account.h"

namespace gravmark::test {

struct RecordedPrompts {
    std::vector<std::string> trustQuestions;  // "server fingerprint"
    std::vector<std::string> passphraseQuestions;
    bool trustAnswer = true;
    std::optional<std::string> passphraseAnswer;
    int connectedCalls = 0;

    SftpPrompts prompts() {
        return {[this] { ++connectedCalls; },
                [this](const std::string& server, const std::string& fingerprint) {
                    trustQuestions.push_back(server + " " + fingerprint);
                    return trustAnswer;
                },
                [this](const std::string& keyFile) {
                    passphraseQuestions.push_back(keyFile);
                    return passphraseAnswer;
                }};
    }
};

inline std::string readFrom(RemoteLog& log, int64_t offset) {
    std::string bytes;
    log.read(offset, [&](std::string_view block) {
        bytes += block;
        return true;
    });
    return bytes;
}

inline long openDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
}

// Bytes of every value, CR LF and lone CR included, in a length that is no multiple of a block.
inline std::string binaryLog(size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>(state >> 23);
    }
    return bytes;
}

}  // namespace gravmark::test
