#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/progress.h"

namespace gravmark {
namespace {

// 100 * completed / total rounded half to even, worked out afresh.
int expectedPercent(int64_t completed, int64_t total) {
    const int64_t twice = 200 * completed;
    int64_t quotient = twice / (2 * total);
    const int64_t rest = twice - quotient * 2 * total;
    if (rest > total || (rest == total && quotient % 2 != 0)) ++quotient;
    return static_cast<int>(quotient);
}

TEST(Progress, ListenerHearsEveryChangeOfTheRoundedPercentageAndNothingElse) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        Progress progress;
        std::vector<int> heard;
        progress.setPercentListener([&heard](int percent) { heard.push_back(percent); });
        std::vector<int> expected;
        int shown = 0;
        int64_t total = 0;
        const auto expect = [&](int64_t completed) {
            if (total > 0 && expectedPercent(completed, total) != shown) {
                shown = expectedPercent(completed, total);
                expected.push_back(shown);
            }
        };
        for (int step = 0; step < 400; ++step) {
            if (random() % 50 == 0) {
                const int64_t newTotal = static_cast<int64_t>(random() % 1000);
                progress.setTotalParts(newTotal);
                if (newTotal != total) {  // a new total starts the count again
                    total = newTotal;
                    expect(0);
                }
            }
            // Mostly small steps forward, now and then anywhere (beyond the total too).
            const int64_t completed = random() % 8 == 0 ? static_cast<int64_t>(random() % 1200) - 100
                                                        : progress.partsComplete() + random() % 3;
            progress.setPartsComplete(completed);
            const int64_t capped = std::clamp<int64_t>(completed, 0, std::max<int64_t>(total, 0));
            ASSERT_EQ(progress.partsComplete(), capped);
            expect(capped);
            ASSERT_EQ(progress.percent(), shown);
        }
        EXPECT_EQ(heard, expected) << "round " << round;
    }
}

TEST(Progress, HalvesRoundToEven) {
    Progress progress;
    progress.setTotalParts(200);
    progress.setPartsComplete(1);  // 0.5
    EXPECT_EQ(progress.percent(), 0);
    progress.setPartsComplete(3);  // 1.5
    EXPECT_EQ(progress.percent(), 2);
    progress.setPartsComplete(5);  // 2.5
    EXPECT_EQ(progress.percent(), 2);
}

}  // namespace
}  // namespace gravmark
