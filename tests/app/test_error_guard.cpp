#include <gtest/gtest.h>

#include "common/error.h"
#include "support/scripted_dialogs.h"
#include "ui/error_guard.h"

namespace gravmark {
namespace {

TEST(ErrorGuard, AddsAFullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(withFullStop("File does not exist"), "File does not exist.");
    EXPECT_EQ(withFullStop("List index out of bounds (-1)"), "List index out of bounds (-1)");
    EXPECT_EQ(withFullStop("Merge done!"), "Merge done!");
    EXPECT_EQ(withFullStop("done."), "done.");
    EXPECT_EQ(withFullStop("ends in a blank "), "ends in a blank ");
    EXPECT_EQ(withFullStop("ends in a slash/"), "ends in a slash/.");
    EXPECT_EQ(withFullStop("size 42"), "size 42.");
    EXPECT_EQ(withFullStop("Latin-1 \xE9"), "Latin-1 \xE9.");  // above "." as an unsigned code
    EXPECT_EQ(withFullStop(""), "");
}

TEST(ErrorGuard, ShowsTheErrorAndEndsTheHandlerThere) {
    test::ScriptedDialogs dialogs;
    int steps = 0;
    EXPECT_FALSE(runGuarded([&] {
        ++steps;
        throw Error("Unable to write to /x/GravmarkParser.INI");
        ++steps;
    }));
    EXPECT_FALSE(runGuarded([] { throw std::out_of_range("vector"); }));
    EXPECT_TRUE(runGuarded([&] { ++steps; }));
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(dialogs.errors,
              (std::vector<std::string>{"Unable to write to /x/GravmarkParser.INI.", "vector."}));
}

}  // namespace
}  // namespace gravmark
