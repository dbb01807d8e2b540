#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "common/program_layout.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;

// An unpacked system layout: root/usr/bin holds the programs, root/usr/share/gravmark-parser
// the shared data, and the user's data folder is root/home/data/gravmark-parser.
struct InstalledLayout {
    test::TempFolder root;
    std::string bin = root.file("usr/bin") + "/";
    std::string userFolder = root.file("home/data/gravmark-parser") + "/";

    InstalledLayout() {
        fs::create_directories(bin);
        fs::create_directories(root.file("usr/share/gravmark-parser"));
        test::writeFile(root.file("usr/share/gravmark-parser/games_mp.log"), "the sample log\n");
    }
};

TEST(ProgramLayout, APortableFolderIsItsOwnProgramFolderAndMakesNoUserFolder) {
    for (const char* sign : {kPortableMarker, "GravmarkParser.INI"}) {
        InstalledLayout layout;
        test::writeFile(layout.bin + sign, "");
        EXPECT_EQ(chooseProgramFolder(layout.bin, layout.userFolder), layout.bin) << sign;
        EXPECT_FALSE(fs::exists(layout.userFolder)) << sign;
    }
}

TEST(ProgramLayout, AnInstalledProgramWorksInTheUserFolderMadeOnceWithTheSampleLog) {
    InstalledLayout layout;
    EXPECT_EQ(chooseProgramFolder(layout.bin, layout.userFolder), layout.userFolder);
    EXPECT_EQ(test::readFile(layout.userFolder + "games_mp.log"), "the sample log\n");
    EXPECT_FALSE(fs::exists(layout.userFolder + "games_mp.log.part"));

    // Later starts keep what the user has there, even a log they removed.
    test::writeFile(layout.userFolder + "games_mp.log", "the server's log\n");
    EXPECT_EQ(chooseProgramFolder(layout.bin, layout.userFolder), layout.userFolder);
    EXPECT_EQ(test::readFile(layout.userFolder + "games_mp.log"), "the server's log\n");
    fs::remove(layout.userFolder + "games_mp.log");
    chooseProgramFolder(layout.bin, layout.userFolder);
    EXPECT_FALSE(fs::exists(layout.userFolder + "games_mp.log"));
}

TEST(ProgramLayout, WithoutSharedDataTheUserFolderStartsEmptyAndAnUnmakeableOneIsAnError) {
    InstalledLayout layout;
    fs::remove_all(layout.root.file("usr/share"));
    EXPECT_EQ(chooseProgramFolder(layout.bin, layout.userFolder), layout.userFolder);
    EXPECT_TRUE(fs::is_empty(layout.userFolder));

    test::writeFile(layout.root.file("blocked"), "a file where a folder should be");
    const std::string blocked = layout.root.file("blocked") + "/gravmark-parser/";
    try {
        chooseProgramFolder(layout.bin, blocked);
        ADD_FAILURE() << "no error";
    } catch (const Error& failure) {
        EXPECT_NE(std::string(failure.what()).find("Unable to create the folder " + blocked), std::string::npos)
            << failure.what();
    }
}

}  // namespace
}  // namespace gravmark
