#include "common/dialogs.h"

#include <stdexcept>

namespace gravmark {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs() {
    if (!installed) throw std::logic_error("no Dialogs implementation installed");
    return *installed;
}

Dialogs* installDialogs(Dialogs* implementation) {
    Dialogs* previous = installed;
    installed = implementation;
    return previous;
}

}  // namespace gravmark
