#pragma once
// The data port a server names for a passive transfer. Only the port is taken: the data
// connection always goes to the address the control connection is connected to, whatever
// address a PASV reply names (a server behind NAT names its private one), so a server
// cannot point the client at a third machine.
#include <cstdint>
#include <optional>
#include <string_view>

namespace gravmark {

// From the text of a 229 reply to EPSV: "Entering Extended Passive Mode (|||6446|)", any
// printable delimiter in place of "|". Nothing when it names no port from 1 to 65535.
std::optional<uint16_t> epsvPort(std::string_view replyText);

// From the text of a 227 reply to PASV: the first "h1,h2,h3,h4,p1,p2", six numbers from 0
// to 255; the port is p1 * 256 + p2. Nothing when there are not six such numbers or the
// port is 0.
std::optional<uint16_t> pasvPort(std::string_view replyText);

}  // namespace gravmark
