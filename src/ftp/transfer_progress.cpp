#include "ftp/transfer_progress.h"

namespace gravmark {

void startTransferProgress(Progress& progress, int64_t announced, int32_t remoteLogSize) {
    if (announced > 0) {
        progress.setTotalParts(announced);
        progress.setPartsComplete(0);
    } else {
        progress.setTotalParts(remoteLogSize);
    }
}

void finishTransferProgress(Progress& progress) {
    if (progress.totalParts() <= 0) progress.setTotalParts(1);
    progress.setPartsComplete(progress.totalParts());
}

}  // namespace gravmark
