#pragma once
// A one-line progress bar on standard error, redrawn when the percentage changes,
// shown only when standard error is a terminal.
#include <string>

#include "common/progress.h"

namespace gravmark {

class TerminalProgress {
public:
    // Binds to the model; does nothing when stderr is not a terminal or quiet is set.
    TerminalProgress(Progress& progress, bool quiet);
    ~TerminalProgress();
    // "LOAD", "PARSE", ...: the bar starts again from 0% under the new name.
    void setStep(const std::string& step);

private:
    void draw(int percent);

    Progress& progress_;
    bool enabled_;
    std::string step_;
};

}  // namespace gravmark
