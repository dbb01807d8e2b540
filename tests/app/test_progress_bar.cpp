#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>

#include "ui/progress_bar.h"

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

// A handler keeps the event loop busy while it works, so the bar must paint inside the
// change itself, once per whole percentage, not when the loop next runs.
TEST(ProgressBar, PaintsAtOnceWhenThePercentageChanges) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    ProgressBar bar;
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    bar.installEventFilter(&counter);
    bar.model().setTotalParts(1000);
    for (int done = 1; done <= 1000; ++done) bar.model().setPartsComplete(done);
    EXPECT_EQ(counter.paints, 100);  // 1% to 100%, no event loop in between
}

}  // namespace
}  // namespace gravmark
