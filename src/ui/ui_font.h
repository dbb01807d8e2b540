#pragma once
// The windows' font: Tahoma where it is installed, else the system's sans font, always at
// a size in pixels so that captions fit the controls' fixed pixel sizes.
#include <QFont>

namespace gravmark {

QFont uiFont(int pixelSize = 11, bool bold = false);
// Another family by name, with the same fallback.
QFont uiFont(const QString& family, int pixelSize);

}  // namespace gravmark
