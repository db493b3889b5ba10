// What a screen reader reads of the real windows through Qt's accessibility
// interface: the texts of the status bar, the message line and the score box
// with their change events, and a name for every control.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <vector>

#include "framework/TCCalendar.h"
#include "shell/Forms.h"
#include "shell/TPrefDlg1.h"
#include "tests/AccessibilityOn.h"
#include "tests/ShellFixture.h"
#include "ui_TPrefDlg1.h"

namespace jadeleaf::test {
namespace {

// The events raised while a test watches, as a screen reader would receive them.
std::vector<std::pair<QObject*, QAccessible::Event>>& Heard() {
    static std::vector<std::pair<QObject*, QAccessible::Event>> events;
    return events;
}

void Hear(QAccessibleEvent* event) { Heard().emplace_back(event->object(), event->type()); }

class AccessibilityTest : public ShellFixture {
protected:
    AccessibilityTest() {
        Heard().clear();
        QAccessible::installUpdateHandler(Hear);
        EXPECT_TRUE(SetAccessibilityActive(true));
    }
    ~AccessibilityTest() override {
        SetAccessibilityActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }

    // The first game dealt, with `play` run at its first wait.
    void PlayFirstGame(std::function<void()> play) {
        Create();
        StartUp();
        clock.steps.push_back(std::move(play));
        clock.Advance(400);
    }

    // The object whose accessible name is `name`, found by walking the window's tree as a reader does.
    static QObject* Named(QAccessibleInterface* node, const QString& name) {
        if (node == nullptr || node->state().invisible) return nullptr;
        if (node->text(QAccessible::Name) == name) return node->object();
        for (int i = 0; i < node->childCount(); ++i) {
            if (QObject* found = Named(node->child(i), name)) return found;
        }
        return nullptr;
    }
    QObject* Named(const QString& name) { return Named(QAccessible::queryAccessibleInterface(form), name); }

    int NameChanges(QObject* object) const {
        return static_cast<int>(std::count(Heard().begin(), Heard().end(), std::make_pair(object, QAccessible::NameChanged)));
    }
};

TEST_F(AccessibilityTest, StatusTextsMessageLineAndScoreAreReadAndAnnounced) {
    bool checked = false;
    PlayFirstGame([&] {
        checked = true;
        const QString tiles = form->StatusText(0);
        const QString started = form->StatusText(1);
        ASSERT_EQ(tiles, "Number of tiles in the MahJong deck: 144");
        QObject* tilesPanel = Named(tiles);
        QObject* startPanel = Named(started);
        ASSERT_NE(tilesPanel, nullptr) << "the first status panel is silent";
        ASSERT_NE(startPanel, nullptr);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(tilesPanel)->role(), QAccessible::StaticText);
        EXPECT_GE(NameChanges(tilesPanel), 1);
        QObject* messageLine = Named(form->MessageLineText());
        ASSERT_NE(messageLine, nullptr);
        ASSERT_NE(Named(form->findChild<QLabel*>("StaticText2")->text()), nullptr);

        // The playing time's panel is read with its new text, but not announced every second.
        clock.Advance(1000);
        const QString time = form->StatusText(2);
        ASSERT_FALSE(time.isEmpty());
        QObject* timePanel = Named(time);
        ASSERT_NE(timePanel, nullptr);
        Heard().clear();
        clock.Advance(1000);
        ASSERT_NE(form->StatusText(2), time);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(timePanel)->text(QAccessible::Name), form->StatusText(2));
        EXPECT_EQ(NameChanges(timePanel), 0);

        // A hint of the other panels and a new message are announced once they are there.
        Heard().clear();
        form->SetStatusText(0, "Number of tiles still present: 142");
        form->SetMessageLine("Select a pair of tiles that match one another.");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(tilesPanel)->text(QAccessible::Name),
                  "Number of tiles still present: 142");
        EXPECT_EQ(NameChanges(tilesPanel), 1);
        EXPECT_EQ(NameChanges(messageLine), 1);
        form->GameState().table.tableReady = 0;
    });
    EXPECT_TRUE(checked);
}

TEST_F(AccessibilityTest, InformationButtonPreferenceControlsAndCalendarHaveNames) {
    Create();
    const auto name = [](QObject* object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); };
    EXPECT_EQ(name(form->findChild<QWidget*>("ViewBtn1")), "Information button");

    Ui::PrefDlg1& ui = PrefDlg1->Controls();
    EXPECT_EQ(name(ui.Edit1), "Bitmap Path and File Name Info:");
    EXPECT_EQ(name(ui.Edit2), "Width [ in pixels ]");
    EXPECT_EQ(name(ui.Edit3), "Height [ in pixels ]");
    EXPECT_EQ(name(ui.TrackBar1), "Time Delay during initial Tile Load operation:");
    EXPECT_EQ(name(ui.TrackBar2), "Time Delay during Auto Play:");

    TCCalendar calendar;
    calendar.SetDate(QDate(2025, 9, 3));
    EXPECT_EQ(name(&calendar), QLocale().standaloneMonthName(9) + " 2025");
    calendar.SetDate(QDate(2026, 2, 1));
    EXPECT_EQ(name(&calendar), QLocale().standaloneMonthName(2) + " 2026");
}

}  // namespace
}  // namespace jadeleaf::test
