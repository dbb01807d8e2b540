// Files through the platform calls, with a name of non-ASCII letters, as a program folder
// like "C:\Gravmark Ünïcödé" has on Windows.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/file_access.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;
const std::string kLetters =
    "Gravmark \xC3\x9Cn\xC3\xAF"
    "c\xC3\xB6"
    "d\xC3\xA9";

std::string folderOf(const test::TempFolder& temp) { return platform::pathBytes(temp.path()) + "/"; }

void writeBytes(const std::string& path, const std::string& bytes) {
    const int fd = platform::openFile(path, platform::OpenFor::AppendingEmptied);
    ASSERT_GE(fd, 0) << path;
    ASSERT_TRUE(platform::writeAll(fd, bytes.data(), bytes.size()));
    ASSERT_EQ(platform::closeFile(fd), 0);
}

std::string readBytes(const std::string& path) {
    const int fd = platform::openFile(path, platform::OpenFor::Reading);
    if (fd < 0) return "<none>";
    std::string bytes(static_cast<size_t>(platform::fileSize(fd)), '\0');
    const int64_t got = platform::readSome(fd, bytes.data(), bytes.size());
    platform::closeFile(fd);
    return bytes.substr(0, static_cast<size_t>(got));
}

TEST(PlatformFiles, NonAsciiNamesAreTheSameFileForEveryCallAndBytesStayBytes) {
    const test::TempFolder temp;
    const std::string folder = folderOf(temp) + kLetters;
    ASSERT_TRUE(fs::create_directory(platform::nativePath(folder)));
    const std::string file = folder + "/index.html";
    // CR LF and 8-bit bytes come back as written: no text mode on any system.
    const std::string bytes("a\r\nb\n\xE9\x00z", 8);
    writeBytes(file, bytes);
    EXPECT_EQ(readBytes(file), bytes);
    EXPECT_TRUE(platform::fileExists(file));
    EXPECT_TRUE(fs::is_regular_file(platform::nativePath(file)));
    // The folder's entry reads back as the same bytes.
    std::string listed;
    for (const auto& entry : fs::directory_iterator(temp.path()))
        listed = platform::pathBytes(entry.path().filename());
    EXPECT_EQ(listed, kLetters);
    EXPECT_FALSE(platform::fileExists(folder + "/missing"));
}

TEST(PlatformFiles, ReplaceFileTakesThePlaceOfTheOldFileAndNewNamesNeverOverwrite) {
    const test::TempFolder temp;
    const std::string folder = folderOf(temp);
    writeBytes(folder + "page", "old");
    writeBytes(folder + "fresh", "new");
    EXPECT_EQ(platform::replaceFile(folder + "fresh", folder + "page"), 0);
    EXPECT_EQ(readBytes(folder + "page"), "new");
    EXPECT_FALSE(platform::fileExists(folder + "fresh"));
    EXPECT_NE(platform::replaceFile(folder + "gone", folder + "page"), 0);
    EXPECT_EQ(readBytes(folder + "page"), "new");

    writeBytes(folder + "other", "other");
    EXPECT_EQ(platform::addName(folder + "other", folder + "page"), EEXIST);
    EXPECT_EQ(readBytes(folder + "page"), "new");
    EXPECT_EQ(platform::addName(folder + "other", folder + "second"), 0);
    EXPECT_EQ(readBytes(folder + "second"), "other");
    EXPECT_EQ(platform::removeFile(folder + "other"), 0);
    EXPECT_EQ(readBytes(folder + "second"), "other");
}

// An editor or browser that has the page open: Linux replaces the name all the same;
// Windows refuses, says why, and the old page stays whole.
TEST(PlatformFiles, AFileHeldOpenByAnotherProgramIsReplacedOrKeptWholeWithAReason) {
    const test::TempFolder temp;
    const std::string folder = folderOf(temp);
    writeBytes(folder + "page", "old");
    writeBytes(folder + "fresh", "new");
    const int held = platform::openFile(folder + "page", platform::OpenFor::Reading);
    ASSERT_GE(held, 0);
    const int replaced = platform::replaceFile(folder + "fresh", folder + "page");
    platform::closeFile(held);
    if (replaced == 0) {
        EXPECT_EQ(readBytes(folder + "page"), "new");
    } else {
        EXPECT_EQ(replaced, EBUSY);
        EXPECT_EQ(platform::failureText(replaced), "The file is open in another program.");
        EXPECT_EQ(readBytes(folder + "page"), "old");
    }
}

TEST(PlatformFiles, FoldersAreExchangedOrTheSystemSaysItCannot) {
    const test::TempFolder temp;
    const std::string folder = folderOf(temp);
    fs::create_directory(platform::nativePath(folder + "a"));
    fs::create_directory(platform::nativePath(folder + "b"));
    writeBytes(folder + "a/x", "a");
    writeBytes(folder + "b/x", "b");
    const int exchanged = platform::exchangeEntries(folder + "a", folder + "b");
    if (exchanged == ENOSYS) {
        EXPECT_EQ(readBytes(folder + "a/x"), "a");                        // untouched
        EXPECT_NE(platform::renameEntry(folder + "a", folder + "b"), 0);  // never over a folder
    } else {
        EXPECT_EQ(exchanged, 0);
        EXPECT_EQ(readBytes(folder + "a/x"), "b");
        EXPECT_EQ(readBytes(folder + "b/x"), "a");
    }
}

TEST(PlatformFiles, ReservedRoomKeepsTheBytesAndTemporaryNamesAreNew) {
    const test::TempFolder temp;
    const std::string folder = folderOf(temp);
    writeBytes(folder + "page", "12345");
    const int fd = platform::openFile(folder + "page", platform::OpenFor::Rewriting);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(platform::reserveRoom(fd, 3), 0);
    EXPECT_EQ(platform::fileSize(fd), 5);
    EXPECT_EQ(platform::reserveRoom(fd, 4096), 0);
    EXPECT_GE(platform::fileSize(fd), 5);
    EXPECT_EQ(platform::resizeFile(fd, 2), 0);
    EXPECT_EQ(platform::syncFile(fd), 0);
    platform::closeFile(fd);
    EXPECT_EQ(readBytes(folder + "page"), "12");

    std::string first = folder + ".page.XXXXXX", second = first;
    const int a = platform::createTemporaryFile(first), b = platform::createTemporaryFile(second);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.find("XXXXXX"), std::string::npos);
    platform::closeFile(a);
    platform::closeFile(b);
}

TEST(PlatformPaths, AbsoluteNamesAndTheProgramsOwnFolder) {
    const std::string exe = platform::executableFolder();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.back(), '/');
    EXPECT_TRUE(platform::isAbsolutePath(exe));
    EXPECT_TRUE(fs::is_directory(platform::nativePath(exe)));
    EXPECT_FALSE(platform::isAbsolutePath("site/index.html"));
    EXPECT_FALSE(platform::isAbsolutePath(""));
    EXPECT_TRUE(platform::endsWithSeparator("site/"));
    EXPECT_FALSE(platform::endsWithSeparator("site"));
    EXPECT_FALSE(platform::endsWithSeparator(""));
}

}  // namespace
}  // namespace gravmark
