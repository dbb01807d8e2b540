#include <unistd.h>

#include "platform/terminal.h"

namespace gravmark::platform {

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO); }

void writeStandardStreamsAsBytes() {}

}  // namespace gravmark::platform
