#pragma once
// A progress bar widget (Progress, joinstatus) over its own progress model. The bar
// repaints at once when the whole-number percentage changes, so it moves even while a
// handler keeps the event loop busy.
#include <QProgressBar>

#include "common/progress.h"

namespace gravmark {

class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);
    gravmark::Progress& model() { return model_; }

private:
    gravmark::Progress model_;
};

}  // namespace gravmark
