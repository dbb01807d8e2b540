#pragma once
// A label whose right edge stays where it was put when its text changes: it takes the
// width of its text and grows to the left.
#include <QLabel>

namespace gravmark {

class RightAnchoredLabel : public QLabel {
    Q_OBJECT
public:
    // right: the x coordinate one past the label's last pixel column (left + width).
    RightAnchoredLabel(int right, int top, int height, QWidget* parent = nullptr);
    void setText(const QString& text);

private:
    int right_;
    int top_;
    int height_;
};

}  // namespace gravmark
