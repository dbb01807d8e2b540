#pragma once
// The main window's background: the picture the program carries, stretched over the
// widget, which lies under every other control of the window.
#include <QPixmap>
#include <QWidget>

namespace gravmark {

class BackgroundPicture : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundPicture(QWidget* parent = nullptr);
    // The carried picture at its own size (400 x 395).
    static const QImage& picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap stretched_;
};

}  // namespace gravmark
