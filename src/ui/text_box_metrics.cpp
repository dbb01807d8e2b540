#include "ui/text_box_metrics.h"

#include <QFontMetricsF>
#include <QtMath>

namespace gravmark {

namespace {

// NUL and the other C0 controls as their control pictures (U+2400...), DEL as U+2421,
// the C1 controls, which have no glyph, as the replacement character.
QChar glyph(unsigned char byte) {
    if (byte < 0x20) return QChar(0x2400 + byte);
    if (byte == 0x7f) return QChar(0x2421);
    if (byte >= 0x80 && byte < 0xa0) return QChar(0xfffd);
    return QChar(byte);
}

}  // namespace

QFont TextBoxMetrics::displayFont(QFont font) {
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

TextBoxMetrics::TextBoxMetrics(const QFont& font) {
    const QFontMetricsF metrics(displayFont(font));
    for (int byte = 0; byte < 256; ++byte)
        widths_[static_cast<size_t>(byte)] =
            metrics.horizontalAdvance(glyph(static_cast<unsigned char>(byte)));
    rowHeight_ = qCeil(metrics.height());
    ascent_ = qCeil(metrics.ascent());
    averageWidth_ = metrics.averageCharWidth();
}

QString TextBoxMetrics::display(std::string_view bytes) const {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) *out++ = glyph(static_cast<unsigned char>(c));
    return text;
}

qreal TextBoxMetrics::width(std::string_view bytes) const {
    qreal sum = 0;
    for (const char c : bytes) sum += widths_[static_cast<unsigned char>(c)];
    return sum;
}

size_t TextBoxMetrics::columnAt(std::string_view bytes, qreal x) const {
    qreal start = 0;
    const size_t column = firstColumnPast(bytes, x, start);
    if (column < bytes.size() && x - start > widths_[static_cast<unsigned char>(bytes[column])] / 2)
        return column + 1;
    return column;
}

size_t TextBoxMetrics::firstColumnPast(std::string_view bytes, qreal x, qreal& start) const {
    qreal left = 0;
    size_t column = 0;
    for (; column < bytes.size(); ++column) {
        const qreal right = left + widths_[static_cast<unsigned char>(bytes[column])];
        if (right > x) break;
        left = right;
    }
    start = left;
    return column;
}

}  // namespace gravmark
