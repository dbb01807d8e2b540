#pragma once
// How a download drives a progress bar, for the window and the batch command alike.
// At the start of a transfer the total becomes the remote log's size (the count starts
// again only if that total is new); the count follows the bytes received; at the end the
// bar shows full.
#include <cstdint>

#include "common/progress.h"

namespace gravmark {

void startTransferProgress(Progress& progress, int64_t remoteSize);

// With an unknown remote size (-1) the bar has no usable total and stands still during
// the transfer; it is still shown full at the end, as one part of one.
void finishTransferProgress(Progress& progress);

}  // namespace gravmark
