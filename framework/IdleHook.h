// The application's idle hook: runs once each time the message loop has
// handled everything and is about to wait for the next event.
#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace jadeleaf {

class IdleHook final : public QObject {
public:
    explicit IdleHook(std::function<void()> onIdle);
    ~IdleHook() override;

    // The hook never runs inside itself: a message box it shows runs an event
    // loop of its own, whose idle moments are not the message loop's.
    //
    // A handler that handles events itself (the game loop) is not the message
    // loop going idle; while a suspension lives the hook does not run.
    class Suspension {
    public:
        explicit Suspension(IdleHook& hook) : hook_(hook) { ++hook_.suspended_; }
        ~Suspension() { --hook_.suspended_; }
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;

    private:
        IdleHook& hook_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void AboutToBlock();

    std::function<void()> onIdle_;
    bool activity_ = true;  // the start of the loop counts as activity
    bool posted_ = false;
    int suspended_ = 0;
    bool running_ = false;
};

}  // namespace jadeleaf
