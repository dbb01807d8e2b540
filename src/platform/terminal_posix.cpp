#include <unistd.h>

#include "platform/terminal.h"

namespace gravmark::platform {

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO); }

}  // namespace gravmark::platform
