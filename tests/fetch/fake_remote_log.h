#pragma once
// A remote log in memory for the continuation rules: it records every offset asked for
// and can leave out its size, refuse restarts and break off after some bytes.
#include <optional>
#include <string>
#include <vector>

#include "fetch/remote_log.h"

namespace gravmark::test {

class FakeRemoteLog : public RemoteLog {
public:
    explicit FakeRemoteLog(std::string content = {}) : content(std::move(content)) {}

    std::string content;
    bool saysSize = true;
    bool refusesRestart = false;
    int64_t dropAfter = -1;  // bytes of the next transfer after which the connection breaks
    size_t blockSize = 4096;
    std::vector<int64_t> offsets;  // of every read

    std::optional<int64_t> size() override {
        if (!saysSize) return std::nullopt;
        return static_cast<int64_t>(content.size());
    }

    void read(int64_t offset, const std::function<bool(std::string_view)>& receive) override {
        offsets.push_back(offset);
        if (offset > 0 && refusesRestart) throw RestartRefused("Restart refused");
        const std::string_view remote(content);
        int64_t sent = 0;
        for (size_t at = static_cast<size_t>(offset); at < remote.size(); at += blockSize) {
            std::string_view block = remote.substr(at, blockSize);
            if (dropAfter >= 0 && sent + static_cast<int64_t>(block.size()) > dropAfter) {
                block = block.substr(0, static_cast<size_t>(dropAfter - sent));
                if (!block.empty()) receive(block);
                dropAfter = -1;
                throw TransferDropped("dropped");
            }
            sent += static_cast<int64_t>(block.size());
            if (!receive(block)) return;
        }
    }

    void finish() override {}
};

}  // namespace gravmark::test
