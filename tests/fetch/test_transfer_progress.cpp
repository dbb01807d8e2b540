// The progress of a download: the total from SIZE, and a bar shown full at the end even
// when the server reported no size.
#include <gtest/gtest.h>

#include "fetch/transfer_progress.h"

namespace gravmark {
namespace {

TEST(TransferProgress, TotalIsTheRemoteSizeAndTheEndShowsFull) {
    Progress progress;
    startTransferProgress(progress, 1500);
    progress.setPartsComplete(500);
    EXPECT_EQ(progress.percent(), 33);
    startTransferProgress(progress, 1500);  // the same total keeps the count
    EXPECT_EQ(progress.partsComplete(), 500);
    finishTransferProgress(progress);
    EXPECT_EQ(progress.partsComplete(), 1500);
    EXPECT_EQ(progress.percent(), 100);

    for (const int64_t unknown : {-1, 0}) {
        Progress unsized;
        startTransferProgress(unsized, unknown);
        unsized.setPartsComplete(700);
        EXPECT_EQ(unsized.percent(), 0);
        finishTransferProgress(unsized);
        EXPECT_EQ(unsized.percent(), 100) << unknown;
    }
}

}  // namespace
}  // namespace gravmark
