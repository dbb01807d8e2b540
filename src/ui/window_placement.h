#pragma once
// Where a window first appears on the desktop.
#include <QWidget>

namespace gravmark {

// Moves the window so that its frame is centred on the screen's available area.
void centreOnScreen(QWidget& window);

}  // namespace gravmark
