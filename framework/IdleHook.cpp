// The idle hook.
#include "framework/IdleHook.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <utility>

namespace jadeleaf {

namespace {
const QEvent::Type kIdleEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
}

IdleHook::IdleHook(std::function<void()> onIdle) : onIdle_(std::move(onIdle)) {
    QCoreApplication::instance()->installEventFilter(this);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleHook::AboutToBlock);
    }
}

IdleHook::~IdleHook() {
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

bool IdleHook::eventFilter(QObject*, QEvent* event) {
    if (event->type() != kIdleEvent) activity_ = true;
    return false;
}

// Posting an event wakes the loop at once; the hook then runs as an ordinary
// event, outside the dispatcher's own code, where it may show windows and
// handle events itself.
void IdleHook::AboutToBlock() {
    if (!activity_ || posted_ || suspended_ > 0 || running_) return;
    activity_ = false;
    posted_ = true;
    QCoreApplication::postEvent(this, new QEvent(kIdleEvent));
}

bool IdleHook::event(QEvent* event) {
    if (event->type() != kIdleEvent) return QObject::event(event);
    posted_ = false;
    if (suspended_ > 0 || running_ || !onIdle_) return true;
    running_ = true;
    onIdle_();
    running_ = false;
    return true;
}

}  // namespace jadeleaf
