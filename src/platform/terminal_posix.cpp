#include "platform/terminal.h"

#include <unistd.h>

namespace gravmark::platform {

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO); }

}  // namespace gravmark::platform
