// Reading replies, the SIZE answer and the socket failure texts.
#include <gtest/gtest.h>

#include <vector>

#include "ftp/ftp_reply.h"
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

TEST(FtpReplyReader, AnnouncedSizeReadsOnlyA213WholeNumber) {
    EXPECT_EQ(announcedSize({213, "1500"}), 1500);
    EXPECT_EQ(announcedSize({213, "0"}), 0);
    EXPECT_EQ(announcedSize({213, "size 1500"}), 1500);
    EXPECT_EQ(announcedSize({213, "1500 bytes"}), -1);
    EXPECT_EQ(announcedSize({213, ""}), -1);
    EXPECT_EQ(announcedSize({213, "12x"}), -1);
    EXPECT_EQ(announcedSize({213, "3000000000"}), -1);  // beyond a signed 32-bit size
    EXPECT_EQ(announcedSize({213, "-5"}), -1);
    EXPECT_EQ(announcedSize({213, "size -0"}), -1);
    EXPECT_EQ(announcedSize({213, "+-5"}), -1);
    EXPECT_EQ(announcedSize({213, "+7"}), 7);
    EXPECT_EQ(announcedSize({550, "1500"}), -1);
}

TEST(SocketError, TextsCarryTheSystemNumberAndDescription) {
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::ConnectionRefusedError, "ignored"),
              "Socket Error # 111\nConnection refused.");
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::HostNotFoundError, "ignored"),
              "Socket Error # 1\nHost not found.");
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::NetworkError, "ignored"),
              "Socket Error # 101\nNetwork is unreachable.");
    EXPECT_EQ(socketErrorMessage(QAbstractSocket::UnknownSocketError, "Unknown error"),
              "Socket Error # 5\nUnknown error.");
}

}  // namespace
}  // namespace gravmark
