// What the main window does while a game waits for the player: the playing-time tick repaints its panel alone, and the panels look as before.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTime>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/SystemClock.h"
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
                           (dynamic_cast<StatusPanel*>(watched) != nullptr ? "StatusPanel" : watched->metaObject()->className()) +
                           " " + watched->objectName().toStdString());
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
    EXPECT_EQ(seenByTick, std::vector<std::string>{"paint StatusPanel "}) << "the playing-time panel alone";
}

// The panels draw their text themselves; they must look exactly as the framed
// labels that they stand for, with every text the game writes into them.
TEST_F(IdleCostTest, TheStatusPanelsLookLikeFramedLabels) {
    Create();
    StartUp();
    auto* statusBar = form->findChild<QStatusBar*>("StatusBar1");
    const QList<StatusPanel*> panels = statusBar->findChildren<StatusPanel*>();
    ASSERT_EQ(panels.size(), 3);
    for (StatusPanel* panel : panels) {
        QLabel label(statusBar);
        label.setFrameShape(QFrame::Panel);
        label.setFrameShadow(QFrame::Sunken);
        label.setAutoFillBackground(true);
        label.setText(QStringLiteral("Xg"));
        EXPECT_EQ(panel->height(), label.sizeHint().height());
        label.setGeometry(panel->geometry());
        for (const QString& text : {QString(" Playing Time: mins 00 : 07 secs"), QString(" Options under Game | Preferences."),
                                    QString("Dir: /home/player/a & b"), QString("Click once to clear the game table."),
                                    QString("Ready to start a new game."), QString()}) {
            label.setText(text);
            panel->setText(text);
            EXPECT_EQ(panel->grab().toImage(), label.grab().toImage()) << text.toStdString();
        }
    }
}

// The real clock reads the local time of day itself, in whatever zone the
// system is set to, half-hour zones included.
TEST(SystemClockTest, ReadsTheLocalTimeOfDayAsQtDoes) {
    const QByteArray zone = qgetenv("TZ");
    SystemClock clock;
    for (const char* tz : {"UTC", "Asia/Kolkata", "America/St_Johns", "Pacific/Kiritimati"}) {
        qputenv("TZ", tz);
        const double ours = clock.TimeOfDay() * 86400000.0;
        const double qt = QTime::currentTime().msecsSinceStartOfDay();
        const double apart = std::fabs(ours - qt);
        EXPECT_LT(std::min(apart, 86400000.0 - apart), 1000.0) << tz;
        EXPECT_GE(ours, 0.0);
        EXPECT_LT(ours, 86400000.0);
    }
    if (zone.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", zone);
    }
}

}  // namespace
}  // namespace jadeleaf::test
