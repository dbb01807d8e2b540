#include "ui/progress_bar.h"

namespace gravmark {

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(true);
    // setValue repaints at once when the shown percentage changes, even inside a handler
    // that keeps the event loop busy; a second repaint here would only double the cost.
    model_.setPercentListener([this](int percent) { setValue(percent); });
}

}  // namespace gravmark
