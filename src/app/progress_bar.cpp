#include "app/progress_bar.h"

namespace gravmark {

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(true);
    model_.setPercentListener([this](int percent) {
        setValue(percent);
        repaint();
    });
}

}  // namespace gravmark
