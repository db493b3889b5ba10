// The real main window driven by a long seeded stream of random input, with
// the game's invariants checked after every event.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

// Where a crash happened, for the signal handler: a crash must still say
// which seed and which event to replay.
unsigned crashSeed = 0;
volatile long crashEvent = -1;

void SayWhereItStopped() {
    char text[160];
    const int length = std::snprintf(text, sizeof text, "\nmonkey test: crashed at event %ld of seed %u\n",
                                     static_cast<long>(crashEvent), crashSeed);
    if (length > 0) (void)!::write(STDERR_FILENO, text, static_cast<std::size_t>(length));
}

void SayWhereItCrashed(int signal) {
    SayWhereItStopped();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// The sanitizers report through their own death callback rather than a signal.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && text[0] != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

const Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                    Qt::RightButton, Qt::MiddleButton};

const int kKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                     Qt::Key_Down,   Qt::Key_Tab,    Qt::Key_N,     Qt::Key_F,    Qt::Key_A,     Qt::Key_P,
                     Qt::Key_G,      Qt::Key_V,      Qt::Key_H,     Qt::Key_S,    Qt::Key_D,     Qt::Key_F10};

const Qt::KeyboardModifiers kModifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier,
                                            Qt::ShiftModifier};

class MonkeyTest : public ShellFixture {
protected:
    void SetUp() override {
        seed = EnvironmentNumber("JADELEAF_MONKEY_SEED", 20261208u);
        total = static_cast<long>(EnvironmentNumber("JADELEAF_MONKEY_EVENTS", 20000u));
        random.seed(seed);
        crashSeed = seed;
        // Closing and the results dialog write the settings file hundreds of
        // times; in memory, where there is such a folder, its syncs cost nothing.
        if (memoryFolder.isValid()) settingsPath = memoryFolder.path().toStdString() + "/Jadeleaf1.1_R6.reg";
        std::printf("monkey test: seed %u, %ld events (JADELEAF_MONKEY_SEED, JADELEAF_MONKEY_EVENTS)\n", seed, total);
        // Under the sanitizers their own handlers stay, to give their report.
        if (__sanitizer_set_death_callback != nullptr) {
            __sanitizer_set_death_callback(SayWhereItStopped);
        } else {
            for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::signal(signal, SayWhereItCrashed);
        }
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N>
    const T& OneOf(const T (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

    // The stream runs at the top level and, while a game loop waits for
    // input, from inside that loop, as a player's input would.
    void Run() {
        Create();
        StartUp();
        step = [this] {
            if (Finished()) {
                GameOf().table.tableReady = 0;
                return;
            }
            clock.steps.push_back(step);
            ++loopDepth;
            NextEvent();
            --loopDepth;
        };
        clock.steps.push_back(step);
        clock.onStuck = [this] { GameOf().table.tableReady = 0; };
        // Input also arrives while automatic play handles pending messages.
        clock.onPendingEvents = [this] {
            if (!Finished() && pendingDepth < 2 && Chance(20)) {
                ++pendingDepth;
                ++loopDepth;
                NextEvent();
                --loopDepth;
                --pendingDepth;
            }
        };
        while (!Finished()) {
            NextEvent();
            // The message loop goes idle between events when no game loop runs.
            if (!Finished() && form->isVisible()) form->ApplicationIdle();
        }
        clock.onPendingEvents = nullptr;
        std::printf("monkey test: %ld events, %d games dealt, %d pairs removed by hand, %d automatic games, "
                    "%zu dialogs, %zu message boxes\n",
                    events, gamesDealt, pairsRemoved, automaticGames, modal.dialogs.size(), modal.messages.size());
    }

    bool Finished() const { return events >= total || failed; }

    void NextEvent() {
        crashEvent = events;
        modal.answers = {Chance(50) ? MessageAnswer::Yes : MessageAnswer::No};
        const int kind = Below(100);
        if (kind < 30) {
            ClientMouse();
        } else if (kind < 40) {
            MouseAnywhere();
        } else if (kind < 55) {
            MenuCommand();
        } else if (kind < 65) {
            KeyPress();
        } else if (kind < 66) {
            Resize();
        } else if (kind < 72) {
            CloseRefused();
        } else if (kind < 78) {
            PlayAPair();
        } else if (kind < 80) {
            OpenDialogButtons();
        } else {
            clock.Advance(Below(4) == 0 ? Below(5000) : Below(400));
        }
        ++events;
        CheckInvariants();
    }

    // Half of the presses go to a free tile, so that games move on.
    QPoint TablePoint() {
        const GameTable& table = GameOf().table;
        if (Chance(50)) {
            std::vector<int> free;
            for (int p = 1; p <= kPositionCount; ++p) {
                if (IsFree(table, p)) free.push_back(p);
            }
            if (!free.empty()) {
                const int p = free[static_cast<std::size_t>(Below(static_cast<int>(free.size())))];
                const TileRecord& tile = table.tiles[p];
                return {tile.x + kTableLeft + Below(36), tile.y + kTableTop + Below(46)};
            }
        }
        const QWidget* area = form->ClientArea();
        return {Below(std::max(area->width(), 1)), Below(std::max(area->height(), 1))};
    }

    void ClientMouse() {
        const QPoint at = TablePoint();
        const Qt::MouseButton button = OneOf(kButtons);
        if (Chance(50)) {
            QTest::mousePress(form->ClientArea(), button, Qt::NoModifier, at);
        } else {
            QTest::mouseRelease(form->ClientArea(), button, Qt::NoModifier, at);
        }
    }

    // A pair the move search finds, clicked as a player would: games then
    // run long enough to reach their ends.
    void PlayAPair() {
        GameTable copy = GameOf().table;
        if (copy.tableReady != 1) return;
        FindMove(copy);
        for (int p : {copy.knownMove[0], copy.knownMove[1]}) {
            if (p < 1 || p > kPositionCount) return;
            const TileRecord& tile = GameOf().table.tiles[p];
            const QPoint centre(tile.x + kTableLeft + 16, tile.y + kTableTop + 21);
            QTest::mousePress(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, centre);
            QTest::mouseRelease(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, centre);
        }
    }

    // Anywhere in the window: menu bar, status bar, panels, the button.
    void MouseAnywhere() {
        const QPoint at(Below(std::max(form->width(), 1)), Below(std::max(form->height(), 1)));
        QWidget* target = form->childAt(at);
        if (target == nullptr) target = form;
        const QPoint local = target->mapFrom(form, at);
        const Qt::MouseButton button = OneOf(kButtons);
        QTest::mousePress(target, button, Qt::NoModifier, local);
        QTest::mouseRelease(target, button, Qt::NoModifier, local);
    }

    // A command a player can reach: its menu and the command enabled.
    void MenuCommand() {
        std::vector<QAction*> reachable;
        for (QAction* top : form->menuBar()->actions()) {
            if (top->menu() == nullptr || !top->isEnabled()) continue;
            for (QAction* action : top->menu()->actions()) {
                if (action->isSeparator() || !action->isEnabled()) continue;
                // Leaving ends the test's program; it is tried only where it asks first.
                if (action->objectName() == "GameExit1" && GameOf().table.tableReady != 1) continue;
                reachable.push_back(action);
            }
        }
        if (reachable.empty()) return;
        QAction* action = reachable[static_cast<std::size_t>(Below(static_cast<int>(reachable.size())))];
        if (action->objectName() == "GameExit1") modal.answers = {MessageAnswer::No};
        action->trigger();
    }

    void KeyPress() {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || !target->isVisible()) target = form;
        QTest::keyClick(target, static_cast<Qt::Key>(OneOf(kKeys)), OneOf(kModifiers));
    }

    void Resize() {
        form->resize(300 + Below(1000), 200 + Below(850));
        QCoreApplication::processEvents();
    }

    // Closing during a game asks first; the answer here is always No.
    void CloseRefused() {
        if (GameOf().table.tableReady != 1) return;
        modal.answers = {MessageAnswer::No};
        form->close();
    }

    // The dialogs get the same treatment while they are open.
    void PressDialogButtons(QDialog& dialog) {
        const QList<QAbstractButton*> buttons = dialog.findChildren<QAbstractButton*>();
        for (int i = Below(3); i > 0 && !buttons.isEmpty(); --i) {
            QAbstractButton* button = buttons[Below(static_cast<int>(buttons.size()))];
            if (button->isVisible() && button->isEnabled()) QTest::mouseClick(button, OneOf(kButtons));
        }
    }

    // The windows open beside the main one, such as the preferences.
    void OpenDialogButtons() {
        std::vector<QDialog*> open;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible()) {
                open.push_back(dialog);
            }
        }
        if (!open.empty()) PressDialogButtons(*open[static_cast<std::size_t>(Below(static_cast<int>(open.size())))]);
    }

    void Fail(const std::string& what) {
        failed = true;
        ADD_FAILURE() << "seed " << seed << ", event " << events << ": " << what
                      << " (replay with JADELEAF_MONKEY_SEED=" << seed << ")";
    }

    void CheckInvariants() {
        const GameTable& table = GameOf().table;
        int present = 0;
        for (int p = 1; p <= kPositionCount; ++p) {
            const TileRecord& tile = table.tiles[p];
            if (!tile.present) continue;
            ++present;
            for (std::int32_t link : {tile.left[0], tile.left[1], tile.right[0], tile.right[1], tile.below[0],
                                      tile.below[1], tile.below[2], tile.below[3]}) {
                if (link < 0 || link > kPositionCount || (link != 0 && !table.tiles[link].present)) {
                    Fail("tile " + std::to_string(p) + " links to tile " + std::to_string(link) +
                         ", which is not on the table");
                    return;
                }
            }
        }
        if (table.dealt == 1 && present != table.tilesLeft) {
            Fail(std::to_string(present) + " tiles on the table, tilesLeft " + std::to_string(table.tilesLeft));
        }
        if (table.tableReady == 1 && table.score != kPositionCount - table.tilesLeft) {
            Fail("score " + std::to_string(table.score) + " with " + std::to_string(table.tilesLeft) + " tiles left");
        }
        for (const TileSelection* selection : {&table.firstSelection, &table.secondSelection}) {
            if (selection->made == 0) continue;
            const int p = selection->tile;
            if (p < 1 || p > kPositionCount || !table.tiles[p].present || !IsFree(table, p)) {
                Fail("selected tile " + std::to_string(p) + " is not a free tile on the table");
            }
        }
        if (table.dealt == 1 && lastTilesLeft == kPositionCount + 1) ++gamesDealt;
        if (table.dealt == 1 && table.autoPlay == 0 && table.tilesLeft + 2 == lastTilesLeft) ++pairsRemoved;
        if (table.autoPlay == 1 && !inAutomaticGame) ++automaticGames;
        inAutomaticGame = table.autoPlay == 1;
        lastTilesLeft = table.dealt == 1 ? table.tilesLeft : kPositionCount + 1;
    }

    QTemporaryDir memoryFolder{QStringLiteral("/dev/shm/jadeleaf-monkey-XXXXXX")};
    unsigned seed = 0;
    long total = 0;
    long events = 0;
    bool failed = false;
    std::mt19937 random;
    std::function<void()> step;
    int loopDepth = 0;
    int pendingDepth = 0;
    int gamesDealt = 0;
    int pairsRemoved = 0;
    int automaticGames = 0;
    int lastTilesLeft = kPositionCount + 1;
    bool inAutomaticGame = false;
};

TEST_F(MonkeyTest, RandomInputKeepsTheGameWhole) {
    modal.onDialog = [this](QDialog& dialog) {
        if (!Finished()) PressDialogButtons(dialog);
    };
    Run();
    EXPECT_TRUE(failed || events >= total) << "the stream stopped at event " << events;
}

}  // namespace
}  // namespace jadeleaf::test
