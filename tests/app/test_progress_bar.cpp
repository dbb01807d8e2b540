#include "app/progress_bar.h"

#include <gtest/gtest.h>

namespace gravmark {
namespace {

TEST(ProgressBar, FollowsItsModelAndShowsThePercentage) {
    ProgressBar bar;
    EXPECT_EQ(bar.value(), 0);
    EXPECT_TRUE(bar.isTextVisible());
    bar.model().setTotalParts(8);
    bar.model().setPartsComplete(1);  // 12.5 rounds to the even 12
    EXPECT_EQ(bar.value(), 12);
    bar.model().setPartsComplete(100);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(bar.text(), "100%");
    bar.model().setTotalParts(3);  // a new total starts the count again
    EXPECT_EQ(bar.value(), 0);
}

}  // namespace
}  // namespace gravmark
