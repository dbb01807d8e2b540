// The batch of an installed package (Linux's layout: /usr/bin, /usr/share and HOME), run by a
// scheduler. The Windows zip is always its own program folder, see tests/common.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "batch_process.h"
#include "loggen/log_generator.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using testing::HasSubstr;

// The batch of an installed package, run by a scheduler: the sample log copied in for the
// window's first start is never published, and without HOME it makes no folder anywhere.
TEST(InstalledBatch, RefusesTheSampleLogAndALackingHome) {
    const test::TempFolder root;
    const std::string batch = root.file("usr/bin/gravmark-batch");
    std::filesystem::create_directories(root.file("usr/bin"));
    std::filesystem::create_directories(root.file("usr/share/gravmark-parser"));
    std::filesystem::create_directories(root.file("home"));
    std::filesystem::copy_file(GRAVMARK_BATCH_EXE, batch);
    test::writeFile(root.file("usr/share/gravmark-parser/games_mp.log"),
                    loggen::generateLog(loggen::kSampleLogShape));
    const auto home = [&](QProcessEnvironment& environment) {
        environment.remove(QStringLiteral("XDG_DATA_HOME"));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(root.file("home")));
    };
    test::BatchResult result = test::runBatchProcess({"--out", root.file("page.html")}, home, batch);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err,
                HasSubstr("error: games_mp.log is the sample log that comes with the program; put"));
    EXPECT_FALSE(std::filesystem::exists(root.file("page.html")));
    EXPECT_TRUE(std::filesystem::exists(root.file("home/.local/share/gravmark-parser/games_mp.log")));

    const auto noHome = [](QProcessEnvironment& environment) {
        environment.remove(QStringLiteral("XDG_DATA_HOME"));
        environment.remove(QStringLiteral("HOME"));
    };
    result = test::runBatchProcess({"--out", root.file("page.html")}, noHome, batch);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "error: HOME is not set: give --folder\n");
}

}  // namespace
}  // namespace gravmark
