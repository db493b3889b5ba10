// What the main window does while a game waits for the player: the playing-time tick repaints its panel alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <string>
#include <vector>

#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

// Notes every object asked to lay out its children again, and every paint.
class EventRecorder : public QObject {
public:
    EventRecorder() { qApp->installEventFilter(this); }
    ~EventRecorder() override { qApp->removeEventFilter(this); }
    std::vector<std::string> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Paint) {
            seen.push_back(std::string(event->type() == QEvent::Paint ? "paint " : "layout ") +
                           watched->metaObject()->className() + " " + watched->objectName().toStdString());
        }
        return false;
    }
};

using IdleCostTest = ShellFixture;

TEST_F(IdleCostTest, ThePlayingTimeTickRepaintsItsPanelAlone) {
    Create();
    StartUp();
    EventRecorder recorder;
    std::vector<std::string> seenByTick;
    std::string before;
    std::string after;
    clock.steps.push_back([&] {
        QCoreApplication::processEvents();  // what the deal asked for
        before = form->StatusText(2).toStdString();
        recorder.seen.clear();
        clock.Advance(1000);
        QCoreApplication::processEvents();
        seenByTick = recorder.seen;
        after = form->StatusText(2).toStdString();
        modal.answers = {MessageAnswer::Yes};
        form->close();
    });
    clock.Advance(400);

    EXPECT_NE(before, after) << "a tick came";
    EXPECT_EQ(seenByTick, std::vector<std::string>{"paint QLabel "}) << "the playing-time panel alone";
}

}  // namespace
}  // namespace jadeleaf::test
