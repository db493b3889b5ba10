// What a screen reader reads of the real windows through Qt's accessibility
// interface: the texts of the status bar, the message line and the score box
// with their change events, and a name for every control.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <memory>
#include <vector>

#include "framework/PlatformTimer.h"
#include "framework/SystemClock.h"
#include "framework/TCCalendar.h"
#include "play/TResDlg1.h"
#include "model/FaceNames.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
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

    // The table's children that are tiles, as a reader lists them.
    std::vector<QAccessibleInterface*> Tiles() {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(form->ClientArea());
        std::vector<QAccessibleInterface*> tiles;
        for (int i = 0; i < table->childCount(); ++i) {
            QAccessibleInterface* child = table->child(i);
            if (child->role() == QAccessible::ListItem) tiles.push_back(child);
            EXPECT_EQ(table->indexOfChild(child), i);
        }
        return tiles;
    }
    QAccessibleInterface* TileAt(int p) {
        const QPoint centre = form->ClientArea()->mapToGlobal(
            QPoint(GameOf().table.tiles[p].x + kTableLeft + 16, GameOf().table.tiles[p].y + kTableTop + 21));
        return QAccessible::queryAccessibleInterface(form->ClientArea())->childAt(centre.x(), centre.y());
    }
    int Events(QAccessible::Event type) const {
        return static_cast<int>(std::count_if(Heard().begin(), Heard().end(), [&](const auto& heard) { return heard.second == type; }));
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->ClientArea(), key, modifiers);
    }
    int Cursor() { return form->Accessibility().Cursor(); }
    // Tab until the keyboard's cursor is on tile p.
    void TabTo(int p) {
        for (int i = 0; i <= kPositionCount && !(form->KeyCursorShown() && Cursor() == p); ++i) Key(Qt::Key_Tab);
        ASSERT_EQ(Cursor(), p);
    }

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

TEST(FaceNames, EverySuitInWords) {
    EXPECT_EQ(FaceName(1), "One of Circles");
    EXPECT_EQ(FaceName(12), "Three of Bamboo");
    EXPECT_EQ(FaceName(27), "Nine of Characters");
    EXPECT_EQ(FaceName(28), "East Wind");
    EXPECT_EQ(FaceName(31), "North Wind");
    EXPECT_EQ(FaceName(32), "Red Dragon");
    EXPECT_EQ(FaceName(34), "White Dragon");
    EXPECT_EQ(FaceName(35), "Spring");
    EXPECT_EQ(FaceName(42), "Tulip");
    EXPECT_EQ(FaceName(0), "");
}

TEST_F(AccessibilityTest, EveryPresentTileIsAChildWithItsFaceStateAndActions) {
    bool checked = false;
    PlayFirstGame([&] {
        checked = true;
        const GameTable& table = GameOf().table;
        QAccessibleInterface* tableItem = QAccessible::queryAccessibleInterface(form->ClientArea());
        EXPECT_EQ(tableItem->text(QAccessible::Name), "Game table, 144 tiles left");
        std::vector<QAccessibleInterface*> tiles = Tiles();
        ASSERT_EQ(tiles.size(), 144u);
        int free = 0;
        for (int p = 1; p <= kPositionCount; ++p) {
            QAccessibleInterface* tile = tiles[static_cast<std::size_t>(p - 1)];
            EXPECT_EQ(tile->text(QAccessible::Name).toStdString(), FaceName(table.tiles[p].face));
            const std::string description = tile->text(QAccessible::Description).toStdString();
            EXPECT_NE(description.find("layer " + std::to_string(table.tiles[p].layer)), std::string::npos);
            EXPECT_EQ(description.rfind("free", 0) == 0, IsFree(table, p)) << description;
            EXPECT_EQ(tile->state().disabled, !IsFree(table, p));
            if (IsFree(table, p)) {
                ++free;
                EXPECT_EQ(TileAt(p), tile) << "a reader's point on the tile finds it";
            }
        }
        EXPECT_GT(free, 0);

        // The reader's press takes the pair off as the mouse does; the two children go.
        GameTable copy = table;
        ASSERT_NE(FindMove(copy), 0);
        QAccessibleInterface* first = tiles[static_cast<std::size_t>(copy.knownMove[0] - 1)];
        QAccessibleInterface* second = tiles[static_cast<std::size_t>(copy.knownMove[1] - 1)];
        Heard().clear();
        first->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_FALSE(first->state().selected) << "the reader has its answer before the press";
        QCoreApplication::processEvents();
        EXPECT_EQ(form->MessageLineText(), "First selection made. Now, find a free match to that tile.");
        EXPECT_TRUE(first->state().selected);
        EXPECT_NE(first->text(QAccessible::Description).indexOf("selected"), -1);
        EXPECT_EQ(Events(QAccessible::StateChanged), 1);
        second->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
        EXPECT_EQ(table.tilesLeft, 142);
        EXPECT_EQ(Tiles().size(), 142u);
        EXPECT_EQ(Events(QAccessible::ObjectDestroyed), 2);
        EXPECT_EQ(tableItem->text(QAccessible::Name), "Game table, 142 tiles left");
        EXPECT_EQ(NameChanges(form->ClientArea()), 1);
        form->GameState().table.tableReady = 0;
    });
    EXPECT_TRUE(checked);
    EXPECT_TRUE(Tiles().empty()) << "the table is cleared after the game";
}

// The deal's number is shown nowhere on the window, so a reader finds it in
// the table's description, told anew with each deal.
TEST_F(AccessibilityTest, TheTablesDescriptionTellsTheDealNumber) {
    QString first;
    QString chosen;
    int changes = 0;
    PlayFirstGame([&] {
        QAccessibleInterface* tableItem = QAccessible::queryAccessibleInterface(form->ClientArea());
        first = tableItem->text(QAccessible::Description);
        Heard().clear();
        modal.answers = {MessageAnswer::Yes};
        GameOf().DealNumber1Click(4294967295u);
        chosen = tableItem->text(QAccessible::Description);
        changes = static_cast<int>(std::count(Heard().begin(), Heard().end(),
                                              std::make_pair(static_cast<QObject*>(form->ClientArea()),
                                                             QAccessible::DescriptionChanged)));
        form->GameState().table.tableReady = 0;
    });
    EXPECT_EQ(first, QString("Deal number %1").arg(clock.CalendarSeconds()));
    EXPECT_EQ(chosen, "Deal number 4294967295");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->ClientArea())->text(QAccessible::Description), "")
        << "no deal on the table";
}

TEST_F(AccessibilityTest, WholeGameByKeysAloneToTheNoMoveAndResultsDialogs) {
    int pairs = 0;
    std::function<void()> takePair = [&] {
        GameTable copy = GameOf().table;
        if (FindMove(copy) == 0) return;
        TabTo(copy.knownMove[0]);
        Key(Qt::Key_Space);
        EXPECT_EQ(form->MessageLineText(), "First selection made. Now, find a free match to that tile.");
        TabTo(copy.knownMove[1]);
        Key(Qt::Key_Return);
        ++pairs;
        EXPECT_EQ(GameOf().table.tilesLeft, kPositionCount - 2 * pairs);
        EXPECT_EQ(form->StatusText(0), QString("Number of tiles still present: %1").arg(GameOf().table.tilesLeft));
        clock.nowMs += 7000;
        clock.steps.push_back(takePair);
    };
    std::vector<std::string> dialogs;
    modal.onDialog = [&](QDialog& dialog) { dialogs.push_back(dialog.objectName().toStdString()); };
    PlayFirstGame(takePair);
    EXPECT_GT(pairs, 0);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"EndDlg1", "ResDlg1"}));
    EXPECT_EQ(form->MessageLineText(), "Jadeleaf result display.");
}

TEST_F(AccessibilityTest, ArrowsEscapeAndTheFrameThatTheMouseHides) {
    bool checked = false;
    PlayFirstGame([&] {
        checked = true;
        const GameTable& table = GameOf().table;
        const QImage untouched = form->ClientArea()->grab().toImage();
        Key(Qt::Key_Right);
        const int start = Cursor();
        ASSERT_NE(start, 0);
        EXPECT_TRUE(IsFree(table, start)) << "the first key puts the cursor on the first free tile";
        EXPECT_NE(form->ClientArea()->grab().toImage(), untouched) << "the frame shows";
        Heard().clear();
        Key(Qt::Key_Right);
        const int right = Cursor();
        EXPECT_GT(table.tiles[right].x, table.tiles[start].x);
        EXPECT_EQ(Events(QAccessible::Focus), 1);
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(form->ClientArea())->focusChild()->state().focused);
        Key(Qt::Key_Left);
        EXPECT_LT(table.tiles[Cursor()].x, table.tiles[right].x);
        Key(Qt::Key_Down);
        EXPECT_GT(table.tiles[Cursor()].y, table.tiles[right].y - kVerticalStep);
        TabTo(start);
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        Key(Qt::Key_Tab);
        EXPECT_EQ(Cursor(), start) << "Shift+Tab steps back";

        // A selection: Escape is a press on the empty table, the same tile again drops it.
        Key(Qt::Key_Space);
        EXPECT_EQ(table.tiles[start].state, kStateSelected);
        Key(Qt::Key_Escape);
        EXPECT_EQ(table.tiles[start].state, kStateSelected);
        Key(Qt::Key_Space);
        EXPECT_EQ(table.tiles[start].state, kStateNormal);

        // The mouse's next press takes the frame away: the mouse player's pixels again.
        QTest::mousePress(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseRelease(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_FALSE(form->KeyCursorShown());
        const QRect around(table.tiles[start].x + kTableLeft - 6, table.tiles[start].y + kTableTop - 6, 50, 60);
        EXPECT_EQ(form->ClientArea()->grab().toImage().copy(around), untouched.copy(around));
        form->GameState().table.tableReady = 0;
    });
    EXPECT_TRUE(checked);
}

// A Tab that brings the focus to the table from elsewhere lands on a tile,
// as the table's own Tab does; the status bar's size grip has a name.
TEST_F(AccessibilityTest, TabIntoTheTableLandsOnTheFirstFreeTileAndTheSizeGripHasAName) {
    bool checked = false;
    PlayFirstGame([&] {
        checked = true;
        EXPECT_NE(Named("Size grip"), nullptr);
        form->ClientArea()->clearFocus();
        QTest::keyClick(form, Qt::Key_Tab);
        ASSERT_TRUE(form->ClientArea()->hasFocus());
        EXPECT_TRUE(form->KeyCursorShown());
        const int first = Cursor();
        EXPECT_TRUE(IsFree(GameOf().table, first));
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        Key(Qt::Key_Tab);
        EXPECT_EQ(Cursor(), first);
        form->GameState().table.tableReady = 0;
    });
    EXPECT_TRUE(checked);
}

// Escape is the press that stops automatic play and the one that clears the
// table after it; the children follow every move, and F2 deals anew.
TEST_F(AccessibilityTest, EscapeStopsAutomaticPlayAndF2DealsAgain) {
    Create();
    StartUp();
    std::size_t started = 0;
    StartAutomaticPlayAtNextStep(started);
    int escapes = 0;
    clock.onPause = [&](int) {
        if (started == 0) return;
        EXPECT_EQ(static_cast<int>(Tiles().size()), GameOf().table.tilesLeft) << "after automatic play's moves too";
        if (clock.pauses.size() == started + 7 && escapes == 0) {
            ++escapes;
            Key(Qt::Key_Escape);
            clock.steps.push_back([&] {
                EXPECT_EQ(form->MessageLineText(), "Auto Play terminated by User intervention.");
                EXPECT_EQ(form->StatusText(0), "Click once to clear the game table.");
                Key(Qt::Key_Escape);
            });
        }
    };
    clock.Advance(400);
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(GameOf().table.tableReady, 0);
    EXPECT_EQ(form->StatusText(0), "Ready to start a new game.");
    EXPECT_TRUE(Tiles().empty());

    clock.onPause = nullptr;
    bool dealt = false;
    clock.steps.push_back([&] {
        dealt = true;
        EXPECT_EQ(Tiles().size(), 144u);
        form->GameState().table.tableReady = 0;
    });
    Key(Qt::Key_F2);
    EXPECT_TRUE(dealt);
}

// Records what reaches the window's objects, in order: the events that a
// pause holds back and the paints that it serves.
class Arrivals final : public QObject {
public:
    Arrivals(QWidget* table, QObject* window, QObject* form) : table_(table), window_(window), form_(form) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~Arrivals() override { QCoreApplication::instance()->removeEventFilter(this); }
    std::vector<std::string> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == table_ && type == QEvent::Paint) seen.emplace_back("paint");
        if (watched == table_ && type == QEvent::MouseButtonPress) seen.emplace_back("press");
        if (watched == table_ && type == QEvent::KeyPress) seen.emplace_back("key");
        if (watched == window_ && type == QEvent::Close) seen.emplace_back("close");
        if (watched == form_ && type == QEvent::MetaCall) seen.emplace_back("command");
        if (watched == table_ && type == QEvent::MetaCall) seen.emplace_back("tile");
        return false;
    }

private:
    QObject* table_;
    QObject* window_;
    QObject* form_;
};

// Automatic play's pauses, as the real clock keeps them: a reader's question
// (which the bus delivers through the event loop) and a paint are served,
// while a press, a key, the window manager's close request, a menu item and
// a tile that the reader invokes wait for the pause's end and come in their
// order; a timer that falls due meanwhile ticks after the pause.
TEST_F(AccessibilityTest, PausesAnswerReadersAndPaintWhileInputAndCommandsWaitForTheirEnd) {
    Create();
    StartUp();
    SystemClock realClock;
    Arrivals arrivals(form->ClientArea(), form->windowHandle(), form);
    QObject bus;
    std::size_t started = 0;
    StartAutomaticPlayAtNextStep(started);
    bool ticked = false;
    std::unique_ptr<PlatformTimer> timer;
    timer = std::make_unique<PlatformTimer>(realClock, [&] {
        ticked = true;
        timer->SetEnabled(false);
    });
    bool paused = false;
    clock.onPause = [&](int) {
        if (started == 0 || clock.pauses.size() != started + 3 || paused) return;
        paused = true;
        arrivals.seen.clear();
        const QPoint at = CentreOf(1);
        QCoreApplication::postEvent(form->ClientArea(),
                                    new QMouseEvent(QEvent::MouseButtonPress, at, form->ClientArea()->mapToGlobal(at),
                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(form->ClientArea(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::postEvent(form->windowHandle(), new QCloseEvent);
        QString read;
        QMetaObject::invokeMethod(
            &bus,
            [&] {
                read = QAccessible::queryAccessibleInterface(form->ClientArea())->text(QAccessible::Name);
                QAccessibleInterface* help = QAccessible::queryAccessibleInterface(form->findChild<QMenu*>("HelpMenu1"));
                for (int i = 0; i < help->childCount(); ++i) {
                    QAccessibleInterface* item = help->child(i);
                    if (item->text(QAccessible::Name) == "About this Game") {
                        item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                    }
                }
                Tiles().front()->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            },
            Qt::QueuedConnection);
        timer->SetInterval(0);
        timer->SetEnabled(true);
        form->ClientArea()->update();
        modal.answers = {MessageAnswer::No};
        realClock.Pause(1);
        EXPECT_FALSE(ticked);
        EXPECT_EQ(read, QString("Game table, %1 tiles left").arg(GameOf().table.tilesLeft)) << "answered during the pause";
        // The tile's press comes as a request to the table that the reader has
        // sent through the event loop; the press itself waits.
        EXPECT_EQ(arrivals.seen, (std::vector<std::string>{"paint", "tile"}));
        arrivals.seen.clear();
        EXPECT_EQ(GameOf().table.stopRequested, 0);
        EXPECT_TRUE(modal.messages.empty());
        clock.steps.push_back([&] {
            EXPECT_EQ(form->MessageLineText(), "Auto Play terminated by User intervention.");
            form->GameState().table.tableReady = 0;
        });
    };
    clock.Advance(400);
    EXPECT_TRUE(paused);
    EXPECT_TRUE(ticked) << "after the pause";
    std::vector<std::string> held;
    std::copy_if(arrivals.seen.begin(), arrivals.seen.end(), std::back_inserter(held),
                 [](const std::string& what) { return what != "paint"; });
    EXPECT_EQ(held, (std::vector<std::string>{"press", "key", "close", "command", "tile"}));
    ASSERT_EQ(modal.messages.size(), 1u);
    EXPECT_EQ(modal.messages[0].text, "Quit game and exit?");
    EXPECT_EQ(modal.Count("AboutBox"), 1);
}

}  // namespace
}  // namespace jadeleaf::test
