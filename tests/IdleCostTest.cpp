// What the main window does while a game waits for the player, and with no game: the playing-time tick draws its panel alone, the panels look as before, and with no game nothing runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QScreen>
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

// What the screen shows of a widget: under the offscreen platform, the window's picture.
QImage OnScreen(QWidget* widget) {
    const QPoint at = widget->mapTo(widget->window(), QPoint());
    return widget->screen()->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height()).toImage();
}

// The framed label that a status panel stands for, with its size and text.
QImage AsLabel(const StatusPanel& panel, const QString& text) {
    QLabel label(panel.parentWidget());
    label.setFrameShape(QFrame::Panel);
    label.setFrameShadow(QFrame::Sunken);
    label.setAutoFillBackground(true);
    label.setGeometry(panel.geometry());
    label.setText(text);
    return label.grab().toImage();
}

TEST_F(IdleCostTest, ThePlayingTimeTickDrawsItsPanelAloneWithoutARepaintRound) {
    Create();
    StartUp();
    EventRecorder recorder;
    std::vector<std::string> seenByTick;
    std::string before;
    std::string after;
    QImage shown;
    QImage expected;
    clock.steps.push_back([&] {
        QCoreApplication::processEvents();  // what the deal asked for
        before = form->StatusText(2).toStdString();
        recorder.seen.clear();
        clock.Advance(1000);
        QCoreApplication::processEvents();
        seenByTick = recorder.seen;
        after = form->StatusText(2).toStdString();
        StatusPanel* panel = form->findChild<QStatusBar*>("StatusBar1")->findChildren<StatusPanel*>().value(2);
        shown = OnScreen(panel);
        expected = AsLabel(*panel, panel->text());
        modal.answers = {MessageAnswer::Yes};
        form->close();
    });
    clock.Advance(400);

    EXPECT_NE(before, after) << "a tick came";
    EXPECT_EQ(seenByTick, std::vector<std::string>{}) << "no widget painted, none laid out";
    EXPECT_EQ(shown, expected) << "the screen shows the new time: " << after;
}

// Every text the playing time can show, one after the other as the seconds
// pass, each drawn over the one before it: the digits exchanged in the
// laid-out line give the pixels of a label laying out the whole text.
TEST_F(IdleCostTest, EveryPlayingTimeLooksAsALabelWouldShowIt) {
    Create();
    StartUp();
    StatusPanel* panel = form->findChild<QStatusBar*>("StatusBar1")->findChildren<StatusPanel*>().value(2);
    panel->SetTextNow(QStringLiteral("Number of tiles still present: 144"));
    for (int second = 0; second < 3600; ++second) {
        const QString text = QString::asprintf(" Playing Time: mins %02d : %02d secs", second / 60, second % 60);
        panel->SetTextNow(text);
        if (second % 7 == 0 || second % 60 == 59) {
            ASSERT_EQ(OnScreen(panel), AsLabel(*panel, text)) << text.toStdString();
        }
        if (second % 59 == 0) {
            ASSERT_EQ(panel->grab().toImage(), AsLabel(*panel, text)) << "repainted " << text.toStdString();
        }
    }
    modal.answers = {MessageAnswer::Yes};
    form->close();
}

// In a narrow window the panels overlap and the last one is cut off at the
// window's edge: the playing time still shows as a repaint would show it.
TEST_F(IdleCostTest, InANarrowWindowThePlayingTimeShowsAsARepaintWould) {
    Create();
    StartUp();
    auto* statusBar = form->findChild<QStatusBar*>("StatusBar1");
    form->resize(600, form->height());
    QCoreApplication::processEvents();
    statusBar->findChildren<StatusPanel*>().value(2)->SetTextNow(QStringLiteral(" Playing Time: mins 00 : 01 secs"));
    // The bar itself is not opaque: its picture has an alpha channel, the screen none.
    EXPECT_EQ(OnScreen(statusBar), statusBar->grab().toImage().convertToFormat(QImage::Format_RGB32));
    modal.answers = {MessageAnswer::Yes};
    form->close();
}

// With no game on the table nothing runs: no timer counts down and nothing
// is painted while a minute passes, so the program costs nothing at all.
TEST_F(IdleCostTest, WithNoGameOnTheTableNothingRuns) {
    Create();
    StartUp();
    clock.steps.push_back([&] {
        modal.answers = {MessageAnswer::Yes};
        GameOf().FinishGame1Click();
    });
    clock.Advance(400);
    ASSERT_EQ(GameOf().table.tableReady, 0);
    QCoreApplication::processEvents();
    form->ApplicationIdle();
    QCoreApplication::processEvents();

    EventRecorder recorder;
    for (int second = 0; second < 60; ++second) {
        clock.Advance(1000);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(clock.RunningCountdowns(), 0U);
    EXPECT_EQ(recorder.seen, std::vector<std::string>{});
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
    // A new font reaches the panels' text as it reaches a label's: the indent goes with it.
    statusBar->setStyleSheet(QStringLiteral("* { font: 26px \"Liberation Sans\"; }"));
    StatusPanel* panel = panels.front();
    panel->setText(QStringLiteral("Xg"));
    EXPECT_EQ(panel->grab().toImage(), AsLabel(*panel, QStringLiteral("Xg"))) << "after a font change";
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
