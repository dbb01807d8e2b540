// Reading replies, the SIZE answer and the socket failure texts.
#include <gtest/gtest.h>

#include <QSysInfo>
#include <vector>

#include "ftp/ftp_reply.h"
#include "ftp/passive_reply.h"
#include "ftp/socket_error.h"

namespace gravmark {
namespace {

std::vector<FtpReply> readAll(const std::vector<std::string>& lines) {
    FtpReplyReader reader;
    std::vector<FtpReply> replies;
    for (const auto& line : lines) {
        if (auto reply = reader.addLine(line)) replies.push_back(*reply);
    }
    return replies;
}

TEST(FtpReplyReader, ReadsSingleAndMultiLineReplies) {
    const auto replies = readAll({
        "  220 Welcome  \r\n",
        "",
        "   \r\n",  // trimmed; empty lines skipped
        "230-First line\r\n",
        "  more text\r\n",
        "230-still open\r\n",  // texts from the fifth character
        "230 Last line\r\n",
        "215-Open\r\n",
        "21\r\n",  // a line shorter than four ends it
        "500\r\n",
        "abc text\r\n",
        "150-\r\n",
        "150 \r\n",
    });
    ASSERT_EQ(replies.size(), 6u);
    EXPECT_EQ(replies[0].code, 220);
    EXPECT_EQ(replies[0].text, "Welcome");
    EXPECT_EQ(replies[1].code, 230);
    EXPECT_EQ(replies[1].text, "First line\n text\nstill open\nLast line");
    EXPECT_EQ(replies[2].code, 215);
    EXPECT_EQ(replies[2].text, "Open\n");
    EXPECT_EQ(replies[3].code, 500);
    EXPECT_EQ(replies[3].text, "");
    EXPECT_EQ(replies[4].code, 0);
    EXPECT_EQ(replies[4].text, "text");
    EXPECT_EQ(replies[5].code, 150);
}

TEST(FtpReplyReader, EndlessReplyKeepsABoundedText) {
    FtpReplyReader reader;
    EXPECT_FALSE(reader.addLine("220-Welcome\r\n"));
    for (int i = 0; i < 10'000; ++i) EXPECT_FALSE(reader.addLine("220-" + std::string(100, 'x') + "\r\n"));
    const auto reply = reader.addLine("220 Ready\r\n");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->text.size(), FtpReplyReader::kMaxReplyText);
    EXPECT_TRUE(reply->text.starts_with("Welcome\nxxx"));
}

TEST(FtpReplyReader, AnnouncedSizeReadsOnlyA213WholeNumberOfBytes) {
    const std::optional<int64_t> none;
    EXPECT_EQ(announcedSize({213, "1500"}), 1500);
    EXPECT_EQ(announcedSize({213, "0"}), 0);
    EXPECT_EQ(announcedSize({213, "size 1500"}), 1500);
    EXPECT_EQ(announcedSize({213, "3000000000"}), 3'000'000'000) << "logs beyond 2 GB";
    EXPECT_EQ(announcedSize({213, "+7"}), 7);
    for (const std::string text : {"1500 bytes", "", "12x", "-5", "size -0", "+-5", "99999999999999999999"})
        EXPECT_EQ(announcedSize({213, text}), none) << text;
    EXPECT_EQ(announcedSize({550, "1500"}), none);
}

TEST(PassiveReply, OnlyAPortFromOneTo65535IsTaken) {
    const std::optional<uint16_t> none;
    EXPECT_EQ(epsvPort("Entering Extended Passive Mode (|||6446|)"), 6446);
    EXPECT_EQ(epsvPort("Entering Extended Passive Mode (!!!65535!)"), 65535);
    for (const char* text : {"Entering Extended Passive Mode", "(|||0|)", "(|||65536|)", "(|||6446)",
                             "(||6446|)", "(|!|6446|)", "(||||)", "(1116461)", "(|||6446|", "(   6446 )"})
        EXPECT_EQ(epsvPort(text), none) << text;

    EXPECT_EQ(pasvPort("Entering Passive Mode (127,0,0,1,25,46)."), 25 * 256 + 46);
    EXPECT_EQ(pasvPort("Entering Passive Mode 10,0,0,5,4,1"), 4 * 256 + 1) << "without parentheses";
    EXPECT_EQ(pasvPort("=227 version 2, (192,168,1,2,255,255)"), 65535) << "the first six numbers in a row";
    for (const char* text : {"Entering Passive Mode", "(127,0,0,1,256,1)", "(127,0,999,1,4,1)",
                             "(127,0,0,1,0,0)", "(127,0,0,1,4)", "(127,0,0,1,4,)", "(1270,0,0,1,4,1)"})
        EXPECT_EQ(pasvPort(text), none) << text;
}

// The numbers are the system's: Linux's errno values, Windows' Winsock ones.
TEST(SocketError, TextsCarryTheSystemNumberAndDescription) {
    const bool windows = QSysInfo::kernelType() == "winnt";
    EXPECT_EQ(
        socketErrorMessage(QAbstractSocket::ConnectionRefusedError, "ignored"),
        windows ? "Socket Error # 10061\nConnection refused." : "Socket Error # 111\nConnection refused.");
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::HostNotFoundError, "ignored"),
              windows ? "Socket Error # 11001\nHost not found." : "Socket Error # 1\nHost not found.");
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::NetworkError, "ignored"),
              windows ? "Socket Error # 10051\nNetwork is unreachable."
                      : "Socket Error # 101\nNetwork is unreachable.");
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::UnknownSocketError, "Unknown error"),
              "Socket Error # 5\nUnknown error.");
}

}  // namespace
}  // namespace gravmark
