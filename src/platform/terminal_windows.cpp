#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/terminal.h"

namespace gravmark::platform {

bool standardErrorIsTerminal() {
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) return false;
    return SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

void writeStandardStreamsAsBytes() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace gravmark::platform
