#include "ui/ui_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace gravmark {

QFont uiFont(const QString& family, int pixelSize) {
    QFont font;
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        font.setFamily(family);
    } else {
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(pixelSize);
    return font;
}

QFont uiFont(int pixelSize, bool bold) {
    QFont font = uiFont(QStringLiteral("Tahoma"), pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace gravmark
