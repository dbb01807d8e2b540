#include <gtest/gtest.h>

#include "common/server_address.h"

namespace gravmark {
namespace {

TEST(ServerAddress, PortFollowsTheHostOrIsTheProtocolsOwn) {
    const auto expect = [](const std::string& text, uint16_t defaultPort, const std::string& host,
                           uint16_t port) {
        const ServerAddress address = parseServerAddress(text, defaultPort);
        EXPECT_EQ(address.host, host) << text;
        EXPECT_EQ(address.port, port) << text;
    };
    expect("ftp.example.net", 21, "ftp.example.net", 21);
    expect("ssh.example.net", 22, "ssh.example.net", 22);
    expect("ftp.example.net:2121", 21, "ftp.example.net", 2121);
    expect("10.0.0.5:65535", 22, "10.0.0.5", 65535);
    expect("[2001:db8::7]:990", 21, "2001:db8::7", 990);
    expect("[2001:db8::7]", 22, "2001:db8::7", 22);
    expect("2001:db8::7", 22, "2001:db8::7", 22);
    expect("::1", 21, "::1", 21);
    for (const std::string wrong : {"host:", "host:0", "host:65536", "host:21x", "[::1]:x", "[::1"}) {
        expect(wrong, 22, wrong, 22);
    }
}

}  // namespace
}  // namespace gravmark
