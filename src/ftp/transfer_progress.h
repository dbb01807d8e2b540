#pragma once
// How a download drives a progress bar, for the window and the batch command alike.
// At its start the total becomes the announced size when there is one (the count then
// starts again from 0), else the remote file's size as SIZE reported it (the count
// starts again only if that total is new). The count follows the bytes received; at the
// end the bar shows full.
#include <cstdint>

#include "common/progress.h"

namespace gravmark {

void startTransferProgress(Progress& progress, int64_t announced, int32_t remoteLogSize);

// With an unknown remote size (-1) the bar has no usable total and stands still during
// the transfer; it is still shown full at the end, as one part of one.
void finishTransferProgress(Progress& progress);

}  // namespace gravmark
