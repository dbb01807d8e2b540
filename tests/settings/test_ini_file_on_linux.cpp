// The settings file's Linux-only guarantees: its mode, and a full disk (made by a file
// size limit) that leaves the old file whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/error.h"
#include "settings/ini_file.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

TEST(IniFile, ANewFileIsForItsOwnerOnly) {
    TempFolder folder;
    const std::string path = folder.file("s.ini");
    IniFile(path).writeString("FTPconnect", "server", "host");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(IniFile, AFailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.file("GravmarkParser.INI");
    const std::string before = "[FTPconnect]\r\nserver=" + std::string(3000, 'h') + "\r\n";
    writeFile(path, before);
    {
        test::FileSizeLimit fullDisk;
        EXPECT_THROW(IniFile(path).writeString("General", "savepath", std::string(2000, 's')), Error);
    }
    EXPECT_EQ(readFile(path), before);
}

}  // namespace
}  // namespace gravmark
