#include "common/server_address.h"

#include <algorithm>
#include <optional>

namespace gravmark {
namespace {

std::optional<uint16_t> portNumber(const std::string& text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), isDigit)) return {};
    const int port = std::stoi(text);
    if (port < 1 || port > 65535) return {};
    return static_cast<uint16_t>(port);
}

}  // namespace

ServerAddress parseServerAddress(const std::string& server, uint16_t defaultPort) {
    if (server.starts_with('[')) {
        const auto close = server.find(']');
        if (close == std::string::npos) return {server, defaultPort};
        const std::string host = server.substr(1, close - 1);
        const std::string rest = server.substr(close + 1);
        if (rest.empty()) return {host, defaultPort};
        if (rest.starts_with(':')) {
            if (const auto port = portNumber(rest.substr(1))) return {host, *port};
        }
        return {server, defaultPort};
    }
    const auto colon = server.find(':');
    if (colon == std::string::npos || server.find(':', colon + 1) != std::string::npos) return {server, defaultPort};
    if (const auto port = portNumber(server.substr(colon + 1))) return {server.substr(0, colon), *port};
    return {server, defaultPort};
}

}  // namespace gravmark
