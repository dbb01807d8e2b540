#include "batch/terminal_progress.h"

#include <cstdio>

#include "platform/terminal.h"

namespace gravmark {

TerminalProgress::TerminalProgress(Progress& progress, bool quiet)
    : progress_(progress), enabled_(!quiet && platform::standardErrorIsTerminal()) {
    if (enabled_) progress_.setPercentListener([this](int percent) { draw(percent); });
}

TerminalProgress::~TerminalProgress() {
    if (!enabled_) return;
    progress_.setPercentListener(nullptr);
    std::fputs("\r\033[K", stderr);
}

void TerminalProgress::setStep(const std::string& step) {
    step_ = step;
    if (enabled_) draw(0);
}

void TerminalProgress::draw(int percent) {
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%-6s [%s%s] %3d%%", step_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, ' ').c_str(), percent);
    std::fflush(stderr);
}

}  // namespace gravmark
