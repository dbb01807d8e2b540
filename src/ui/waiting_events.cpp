#include "ui/waiting_events.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputEvent>

namespace gravmark {

namespace {

// Swallows mouse, key, wheel, touch and tablet events and the shortcuts keys would give.
// A close request is no input event: it passes.
class InputDropper : public QObject {
protected:
    bool eventFilter(QObject* /*receiver*/, QEvent* event) override {
        return dynamic_cast<QInputEvent*>(event) != nullptr || event->type() == QEvent::Shortcut;
    }
};

}  // namespace

void deliverWaitingEventsWithoutInput() {
    InputDropper dropper;
    QCoreApplication::instance()->installEventFilter(&dropper);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&dropper);
}

}  // namespace gravmark
