#pragma once
// Where the bytes of a text box row stand on screen. A box shows each byte as one
// Latin-1 character (control bytes as visible pictures), drawn without kerning or
// shaping, so a row's layout is the sum of per-byte advances: 256 widths measured once
// per font place the caret, hit-test clicks and size the scroll range of any row
// without laying out text.
#include <QFont>
#include <QString>
#include <array>
#include <cstddef>
#include <string_view>

namespace gravmark {

class TextBoxMetrics {
public:
    explicit TextBoxMetrics(const QFont& font);

    // The font to draw with: the given one without kerning or shaping.
    static QFont displayFont(QFont font);
    QString display(std::string_view bytes) const;

    qreal width(std::string_view bytes) const;
    // The column whose left edge is nearest to x.
    size_t columnAt(std::string_view bytes, qreal x) const;
    // The first column that reaches past x, and where it starts.
    size_t firstColumnPast(std::string_view bytes, qreal x, qreal& start) const;

    int rowHeight() const { return rowHeight_; }
    int ascent() const { return ascent_; }
    qreal averageWidth() const { return averageWidth_; }

private:
    std::array<qreal, 256> widths_{};
    int rowHeight_ = 0;
    int ascent_ = 0;
    qreal averageWidth_ = 0;
};

}  // namespace gravmark
