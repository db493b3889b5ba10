// Holds back, for the length of a pause, whatever would run the program's
// handlers (input, close requests, commands) and hands it on afterwards in
// the order it came, while paints and readers' questions are served.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QEvent;

namespace jadeleaf {

class PauseHold final : public QObject {
public:
    PauseHold();
    ~PauseHold() override;
    PauseHold(const PauseHold&) = delete;
    PauseHold& operator=(const PauseHold&) = delete;

    // Runs `command` now, or, while a pause holds, after the pause in its
    // turn among the held input. `context` is the object it belongs to.
    static void Run(QObject* context, std::function<void()> command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
        std::function<void()> command;
    };
    static bool Holds(const QObject* watched, const QEvent* event);

    std::vector<Held> held_;
    PauseHold* outer_;
    static PauseHold* current_;
};

}  // namespace jadeleaf
