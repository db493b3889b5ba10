// The hold of a pause.
#include "framework/PauseHold.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputEvent>
#include <utility>

namespace jadeleaf {

PauseHold* PauseHold::current_ = nullptr;

PauseHold::PauseHold() : outer_(current_) {
    current_ = this;
    QCoreApplication::instance()->installEventFilter(this);
}

// What was held is posted again, in its order, for the message loop that
// follows the pause; an outer pause, if any, holds it once more.
PauseHold::~PauseHold() {
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
    current_ = outer_;
    for (Held& held : held_) {
        if (held.receiver.isNull()) continue;
        if (held.event) {
            QCoreApplication::postEvent(held.receiver, held.event.release());
        } else {
            QMetaObject::invokeMethod(held.receiver, std::move(held.command), Qt::QueuedConnection);
        }
    }
}

void PauseHold::Run(QObject* context, std::function<void()> command) {
    if (current_ == nullptr) {
        command();
        return;
    }
    current_->held_.push_back({context, nullptr, std::move(command)});
}

// The player's input of every kind, the window manager's request to close a
// window, and the activation that the program answers with its own
// handlers. Paints, exposes, sizes and the calls of the accessibility bus
// go through.
bool PauseHold::Holds(const QObject* watched, const QEvent* event) {
    if (dynamic_cast<const QInputEvent*>(event) != nullptr) return true;
    switch (event->type()) {
    case QEvent::Close:
        return watched->isWindowType();
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        return watched->isWidgetType();
    default:
        return false;
    }
}

bool PauseHold::eventFilter(QObject* watched, QEvent* event) {
    if (!Holds(watched, event)) return false;
    held_.push_back({watched, std::unique_ptr<QEvent>(event->clone()), {}});
    return true;
}

}  // namespace jadeleaf
