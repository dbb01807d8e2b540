#pragma once
// A separator of the settings window: a line that fades from the window colour to a
// darker shade across its width (vertical line) or height (horizontal line) and back.
#include <QWidget>

namespace gravmark {

class GradientLine : public QWidget {
    Q_OBJECT
public:
    GradientLine(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
};

}  // namespace gravmark
