#include "fetch/transfer_progress.h"

namespace gravmark {

void startTransferProgress(Progress& progress, int64_t remoteSize) { progress.setTotalParts(remoteSize); }

void finishTransferProgress(Progress& progress) {
    if (progress.totalParts() <= 0) progress.setTotalParts(1);
    progress.setPartsComplete(progress.totalParts());
}

}  // namespace gravmark
