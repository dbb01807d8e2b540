// The page and what stands beside it change as one, on Linux (names exchanged in one step)
// and on Windows (renamed aside and back).
#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "platform/file_access.h"
#include "platform/folder_access.h"
#include "platform/native_path.h"
#include "report/site_change.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;

std::string site(const std::string& folder) { return folder + "site \xC3\xBC"; }

void saveSite(const std::string& folder, const std::string& version) {
    SiteChange change(folder);
    change.addFolder("players");
    change.addFile("players/a.html", "player " + version);
    change.addFile("index.html", "page " + version + "\r\n");
    change.commit();
}

std::string contents(const std::string& path) {
    const int fd = platform::openFile(path, platform::OpenFor::Reading);
    if (fd < 0) return "<none>";
    std::string bytes(256, '\0');
    bytes.resize(
        static_cast<size_t>(std::max<int64_t>(0, platform::readSome(fd, bytes.data(), bytes.size()))));
    platform::closeFile(fd);
    return bytes;
}

size_t entriesIn(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(platform::nativePath(folder))) ++count;
    return count;
}

TEST(SiteChange, ReplacesThePageAndItsFolderTogetherAndLeavesNothingBehind) {
    const test::TempFolder temp;
    const std::string folder = site(platform::pathBytes(temp.path()) + "/");
    fs::create_directory(platform::nativePath(folder));
    saveSite(folder, "1");
    saveSite(folder, "2");
    EXPECT_EQ(contents(folder + "/index.html"), "page 2\r\n");
    EXPECT_EQ(contents(folder + "/players/a.html"), "player 2");
    EXPECT_EQ(entriesIn(folder), 2u) << "a staging folder was left";

    // A staging folder of a run that was killed is removed by the next change.
    std::string abandoned = folder + "/.site.XXXXXX";
    ASSERT_EQ(platform::makeTemporaryFolder(abandoned), 0);
    saveSite(folder, "3");
    EXPECT_EQ(entriesIn(folder), 2u);
}

// A page another program holds open: Linux replaces it all the same; Windows refuses and
// keeps the whole old site, the players' pages included.
TEST(SiteChange, APageHeldOpenElsewhereLeavesEitherTheNewSiteOrTheWholeOldOne) {
    const test::TempFolder temp;
    const std::string folder = site(platform::pathBytes(temp.path()) + "/");
    fs::create_directory(platform::nativePath(folder));
    saveSite(folder, "1");
    const int held = platform::openFile(folder + "/index.html", platform::OpenFor::Reading);
    ASSERT_GE(held, 0);
    std::string failure;
    try {
        saveSite(folder, "2");
    } catch (const Error& error) {
        failure = error.what();
    }
    platform::closeFile(held);
    if (failure.empty()) {
        EXPECT_EQ(contents(folder + "/index.html"), "page 2\r\n");
        EXPECT_EQ(contents(folder + "/players/a.html"), "player 2");
    } else {
        EXPECT_NE(failure.find("index.html\". The file is open in another program."), std::string::npos)
            << failure;
        EXPECT_EQ(contents(folder + "/index.html"), "page 1\r\n");
        EXPECT_EQ(contents(folder + "/players/a.html"), "player 1");
    }
    EXPECT_EQ(entriesIn(folder), 2u);
}

}  // namespace
}  // namespace gravmark
