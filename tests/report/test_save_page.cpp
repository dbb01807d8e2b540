#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "common/error.h"
#include "common/program_folder.h"
#include "common/text_box_lines.h"
#include "report/save_page.h"
#include "support/file_size_limit.h"
#include "support/immutable_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::TempFolder;
using test::writeFile;

const std::string kCredit =
    "<font face=Tahoma><font size=1><p align=center>Statistics by Gravmark Parser "
    "v.1.0.2.11</p></font></font>";

// The pictures the page names, in file name order.
const std::vector<std::string> kMedalPictures = {"medal_anti_no1target.png",       "medal_anti_suicide.png",
                                                 "medal_grenade_killer_small.png", "medal_pro_headshot.png",
                                                 "medal_pro_headshotR.png",        "medal_pro_killer.png",
                                                 "medal_tnt_killer_small.png"};

std::vector<std::string> pageAndPictures(const std::string& page) {
    std::vector<std::string> names{page};
    names.insert(names.end(), kMedalPictures.begin(), kMedalPictures.end());
    std::sort(names.begin(), names.end());
    return names;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::vector<std::string> filesIn(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct SaveRun {
    TempFolder folder;
    ScriptedDialogs dialogs;
    TextBoxLines memo1;
    TextBoxLines memo2;
    bool pageFinished = false;

    SaveRun() {
        memo1.addLine("<center>header</center>");
        memo1.addLine("</table>");
        memo2.addLine("<p>foot 1</p>");
        memo2.addLine("<p>foot 2</p>");
    }

    SaveOutcome save(bool defaultSave, const std::string& defaultFolder) {
        return savePage(memo1, memo2, pageFinished, defaultSave, defaultFolder, "1.0.2.11");
    }
};

TEST(SavePage, DefaultFolderGetsIndexHtmlWithCreditAndFooter) {
    SaveRun run;
    run.dialogs.saveAnswers = {"/never/asked"};
    EXPECT_EQ(run.save(true, run.folder.path().string()), SaveOutcome::SavedToDefaultFolder);

    const std::string expected =
        "<center>header</center>\r\n</table>\r\n" + kCredit + "\r\n<p>foot 1</p>\r\n<p>foot 2</p>\r\n";
    EXPECT_EQ(readFile(run.folder.file("index.html")), expected);
    EXPECT_EQ(run.memo1.text(), expected);
    EXPECT_EQ(run.memo2.line(0), kCredit);
    EXPECT_TRUE(run.pageFinished);
    EXPECT_EQ(run.dialogs.messages, std::vector<std::string>{"Results saved on server."});
    EXPECT_EQ(run.dialogs.saveAnswers.size(), 1u);  // no save dialog
    EXPECT_EQ(std::filesystem::status(run.folder.file("index.html")).permissions(),
              std::filesystem::perms(0644));
    EXPECT_EQ(filesIn(run.folder), pageAndPictures("index.html"));
}

TEST(SavePage, MedalPicturesGoBesideThePageButNeverOverAFileThere) {
    SaveRun run;
    std::filesystem::create_directory(run.folder.file("site"));
    writeFile(run.folder.file("site/medal_pro_killer.png"), "the clan's own picture");
    std::filesystem::create_symlink("nowhere.png", run.folder.file("site/medal_anti_suicide.png"));
    run.dialogs.saveAnswers = {run.folder.file("site/stats.htm")};
    run.save(false, "/unused");

    EXPECT_EQ(filesIn(run.folder), std::vector<std::string>{"site"});
    std::vector<std::string> inSite;
    for (const auto& entry : std::filesystem::directory_iterator(run.folder.file("site")))
        inSite.push_back(entry.path().filename().string());
    std::sort(inSite.begin(), inSite.end());
    EXPECT_EQ(inSite, pageAndPictures("stats.htm"));  // no temporary file left
    EXPECT_EQ(readFile(run.folder.file("site/medal_pro_killer.png")), "the clan's own picture");
    EXPECT_TRUE(std::filesystem::is_symlink(run.folder.file("site/medal_anti_suicide.png")));
    for (const std::string& name : kMedalPictures) {
        if (name == "medal_pro_killer.png" || name == "medal_anti_suicide.png") continue;
        const std::string picture = readFile(run.folder.file("site/" + name));
        EXPECT_EQ(picture, readFile(std::string(GRAVMARK_MEDALS) + "/" + name)) << name;
        EXPECT_EQ(std::filesystem::status(run.folder.file("site/" + name)).permissions(),
                  std::filesystem::perms(0644));
    }
}

TEST(SavePage, CancelThenSaveAgainPutsTheCreditLineInOnce) {
    SaveRun run;
    const std::string chosen = run.folder.file("stats page.htm");
    run.dialogs.saveAnswers = {std::nullopt, chosen};

    EXPECT_EQ(run.save(false, "/unused"), SaveOutcome::Cancelled);
    EXPECT_TRUE(filesIn(run.folder).empty());
    EXPECT_TRUE(run.dialogs.messages.empty());
    EXPECT_EQ(occurrences(run.memo1.text(), kCredit), 1u);  // the page is finished already

    EXPECT_EQ(run.save(false, "/unused"), SaveOutcome::SavedThroughDialog);
    const std::string page = readFile(chosen);
    EXPECT_EQ(occurrences(page, kCredit), 1u);
    EXPECT_EQ(occurrences(page, "<p>foot 2</p>"), 1u);
    EXPECT_EQ(run.dialogs.messages, std::vector<std::string>{"Results saved as " + chosen});
}

TEST(SavePage, ANameAsLongAsTheFileSystemAllowsIsWritten) {
    SaveRun run;
    const std::string chosen = run.folder.file(std::string(250, 'p') + ".html");
    run.dialogs.saveAnswers = {chosen};
    EXPECT_EQ(run.save(false, "/unused"), SaveOutcome::SavedThroughDialog);
    EXPECT_EQ(readFile(chosen), run.memo1.text());
    EXPECT_EQ(filesIn(run.folder), pageAndPictures(std::string(250, 'p') + ".html"));
}

TEST(SavePage, FooterLinesArriveAsTheBoxReadsThem) {
    SaveRun run;
    run.memo2.clear();
    run.memo2.addLine(std::string(5000, 'f'));
    run.memo1.clear();
    run.memo1.setText("<body>");  // a head without a final line break
    run.save(true, run.folder.path().string());
    EXPECT_EQ(readFile(run.folder.file("index.html")),
              "<body>\r\n" + kCredit + "\r\n" + std::string(TextBoxLines::kMaxLineRead, 'f'));
}

TEST(SavePage, ReplacesAnExistingPageKeepingItsMode) {
    SaveRun run;
    const std::string target = run.folder.file("index.html");
    writeFile(target, std::string(100000, 'o'));
    std::filesystem::permissions(target, std::filesystem::perms(0600));
    run.save(true, run.folder.path().string());
    EXPECT_EQ(readFile(target), run.memo1.text());
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0600));
}

// Whoever may make a link in the web folder must not get a page written over any file.
TEST(SavePage, ALinkedPageIsReplacedByThePageNotWrittenThrough) {
    SaveRun run;
    const std::string elsewhere = run.folder.file("elsewhere");
    writeFile(elsewhere, "somebody's file");
    std::filesystem::permissions(elsewhere, std::filesystem::perms(0600));
    std::filesystem::create_symlink(elsewhere, run.folder.file("index.html"));
    run.save(true, run.folder.path().string());
    EXPECT_FALSE(std::filesystem::is_symlink(run.folder.file("index.html")));
    EXPECT_EQ(readFile(run.folder.file("index.html")), run.memo1.text());
    EXPECT_EQ(std::filesystem::status(run.folder.file("index.html")).permissions(),
              std::filesystem::perms(0644));
    EXPECT_EQ(readFile(elsewhere), "somebody's file");
}

using test::FileSizeLimit;

void addRowsBeyondTheLimit(TextBoxLines& page) {
    for (int i = 0; i < 200; ++i)
        page.addLine("<tr><td>a row long enough to pass the file size limit</td></tr>");
}

TEST(SavePage, FailedWriteLeavesTheOldPageAndNoTemporaryFile) {
    SaveRun run;
    const std::string target = run.folder.file("index.html");
    writeFile(target, "old page");
    addRowsBeyondTheLimit(run.memo1);
    try {
        const FileSizeLimit limit;
        run.save(true, run.folder.path().string());
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + target + "\". File too large");
    }

    EXPECT_EQ(readFile(target), "old page");
    EXPECT_EQ(filesIn(run.folder), std::vector<std::string>{"index.html"});
    EXPECT_TRUE(run.dialogs.messages.empty());
    EXPECT_TRUE(run.pageFinished);  // the credit line and footer stay in the page
}

using test::setImmutable;

TEST(SavePage, AFolderThatTakesNoNewFilesStillGetsItsPageRewritten) {
    SaveRun run;
    const std::string site = run.folder.file("site");
    const std::string empty = run.folder.file("empty");
    std::filesystem::create_directory(site);
    std::filesystem::create_directory(empty);
    writeFile(site + "/index.html", std::string(100000, 'o'));
    if (!setImmutable(site, true) || !setImmutable(empty, true)) GTEST_SKIP() << "no immutable folders here";

    std::string rewritten, failure;
    try {
        run.save(true, site);
        rewritten = readFile(site + "/index.html");
        run.save(true, empty);
    } catch (const Error& error) {
        failure = error.what();
    }
    setImmutable(site, false);
    setImmutable(empty, false);
    EXPECT_EQ(rewritten, run.memo1.text());
    EXPECT_EQ(failure, "Cannot create file \"" + empty + "/index.html\". Operation not permitted");
    EXPECT_EQ(run.dialogs.messages, std::vector<std::string>{"Results saved on server."});
}

TEST(SavePage, ARewriteInPlaceThatFailsLeavesTheOldPageWhole) {
    SaveRun run;
    const std::string site = run.folder.file("site");
    std::filesystem::create_directory(site);
    const std::string oldPage = std::string(4000, 'o') + "</html>";
    writeFile(site + "/index.html", oldPage);
    addRowsBeyondTheLimit(run.memo1);
    if (!setImmutable(site, true)) GTEST_SKIP() << "no immutable folders here";

    std::string failure, afterFailure, shorter;
    {
        const FileSizeLimit limit;
        try {
            run.save(true, site);
        } catch (const Error& error) {
            failure = error.what();
        }
        afterFailure = readFile(site + "/index.html");
        // A page that fits is written whole, and the longer old page is cut to its length.
        run.memo1.setText("<p>short page</p>");
        try {
            run.save(true, site);
        } catch (const Error& error) {
            ADD_FAILURE() << error.what();
        }
        shorter = readFile(site + "/index.html");
    }
    setImmutable(site, false);
    EXPECT_EQ(failure, "Cannot create file \"" + site + "/index.html\". File too large");
    EXPECT_EQ(afterFailure, oldPage);
    EXPECT_EQ(shorter, "<p>short page</p>");
}

TEST(SavePage, MissingFolderNamesTheFullTarget) {
    SaveRun run;
    try {
        run.save(true, "<none>");
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + programFolder() +
                                                 "<none>/index.html\". No such file or directory");
    }
    EXPECT_TRUE(run.dialogs.messages.empty());
}

TEST(SavePage, ARelativeDefaultFolderIsInTheProgramFolder) {
    SaveRun run;
    std::filesystem::create_directory(run.folder.file("site"));
    const std::string saved = programFolder();
    setProgramFolder(run.folder.folder());
    try {
        run.save(true, "site");
    } catch (const Error& error) {
        ADD_FAILURE() << error.what();
    }
    setProgramFolder(saved);
    EXPECT_EQ(readFile(run.folder.file("site/index.html")), run.memo1.text());
}

}  // namespace
}  // namespace gravmark
