// Dealing, the game loop and the Game menu commands.
#include "model/Game.h"

#include <algorithm>
#include <string>

#include "model/Deck.h"
#include "model/PlayingTime.h"
#include "model/TextLine.h"

namespace jadeleaf {

Game::Game(GameWindow& window) : table(), shell(), paint(), window_(window) { ResetGameTable(table); }

// ---------------------------------------------------------------------------
// Commands

void Game::NewGame1Click() {
    if (shell.startupPending) return;
    if (table.tableReady || table.dealt) {
        if (AskYesNo(" Game Control", "Abandon current game and start a new one?") == MessageAnswer::No) return;
        table.tableReady = 0;
        table.dealt = 0;
        StopGameClock();
        ShowResults();
    }
    DealNewTable();
    table.autoPlay = 0;
    SetFirstMessage();
    window_.SetTimerInterval(WindowTimer::Timer2, 3000);
    if (RunGame(CommandTail::NewGame)) EndNewGameCommand();
}

void Game::AutoPlay1Click() {
    if (shell.startupPending) return;
    if (!table.tableReady && !table.dealt) DealNewTable();
    if (!table.tableReady) return;
    // The game takes the table area back from an information page before
    // the first tile is drawn over it.
    LeaveInformationView();
    table.autoPlay = 1;
    window_.SetMessageLine("Welcome to Jadeleaf Automatic Play.");
    window_.SetTimerInterval(WindowTimer::Timer2, 4000);
    window_.SetTimerEnabled(WindowTimer::Timer2, true);
    if (RunGame(CommandTail::AutoPlay)) EndAutoPlayCommand();
}

void Game::FinishGame1Click() {
    if (!table.tableReady && !table.dealt) return;
    if (AskYesNo(" Game Control", "End the current game?") == MessageAnswer::No) return;
    table.tableReady = 0;
    table.dealt = 0;
    StopGameClock();
}

void Game::StopGameClock() {
    window_.SetTimerEnabled(WindowTimer::Timer1, false);
    window_.SetTimerEnabled(WindowTimer::Timer2, false);
    table.finishTime = window_.TimeOfDay();
    table.elapsed = ElapsedSpan(table.startTime, table.finishTime);
    if (settings.timeDisplay == 1) {
        window_.SetStatusText(0, " Game started at " + window_.LongTimeText(table.startTime) + " hrs.");
        window_.SetStatusText(1, " Game finished at " + window_.LongTimeText(table.finishTime) + " hrs.");
        window_.SetStatusText(2, PlayingTimeText(table.elapsed));
    }
    shell.finishEnabled = 0;
    window_.SetEnabled(WindowItem::FinishGame1, false);
}

// An automatic game's score is the computer's, not the player's: the results
// belong to manual play, however its game was left.
void Game::ShowResults() {
    if (table.stopRequested == 0 && table.autoPlay == 0) window_.ShowResultsDialog();
}

void Game::ShowPlayingTime(DayFraction span) {
    if (settings.timeDisplay == 1) {
        window_.SetStatusText(2, PlayingTimeText(span));
    } else {
        window_.SetStatusText(2, " Options under Game | Preferences.");
    }
}

// ---------------------------------------------------------------------------
// Dealing

void Game::DealNewTable() {
    if (!LeaveInformationView()) paint.eraseTableArea = 1;
    window_.SetCursor(WindowCursor::Hourglass);
    // A deal asked for by its number is dealt as it is, winnable or not.
    if (chosenSeed_) {
        dealSeed_ = *chosenSeed_;
    } else {
        dealSeed_ = window_.CalendarSeconds();
        if (settings.winnableDeals != 0 && winnableSeedSearch_) dealSeed_ = winnableSeedSearch_(dealSeed_);
    }
    chosenSeed_.reset();
    table.dealt = DealTable(table, random, dealSeed_) ? 1 : 0;
}

// The whole window is erased, so that nothing of the page, its heading or
// the outline it drew in the side window, stays behind the table.
bool Game::LeaveInformationView() {
    if (shell.viewMode == kViewTable) return false;
    shell.viewMode = kViewTable;
    paint.eraseWindow = 1;
    return true;
}

void Game::SetFirstMessage() {
    if (settings.infoDisplay == 0) {
        window_.SetMessageLine("Welcome to MahJong.  Info Display and Hints are switched off.");
    } else if (table.welcomePending) {
        window_.SetMessageLine("Welcome to MahJong. Start by selecting a pair of matching tiles.");
    } else {
        window_.SetMessageLine("Start by selecting a pair of tiles that match one another.");
    }
}

// ---------------------------------------------------------------------------
// The game loop
//
// A command that starts a game while a game loop already runs further up the
// stack (New game during a game, Automatic Play on an untouched table) does
// not run a loop of its own inside that one. It starts its game and leaves it
// to the running loop, which runs the command's closing steps once the game
// has ended. Every loop beneath a finished game would have ended at once
// without closing anything, so the player sees the same texts and dialogs in
// the same order, and abandoning any number of games leaves the stack as it
// was.

bool Game::RunGame(CommandTail tail) {
    StartGame();
    if (loopDepth_ > 0 && deferredTails_.Push(tail, tailsFloor_)) return false;
    // Only when the list of deferred tails is full does a loop run nested.
    const int outerFloor = tailsFloor_;
    const int base = tailsFloor_ = deferredTails_.Size();
    ++loopDepth_;
    maxLoopDepth_ = std::max(maxLoopDepth_, loopDepth_);
    RunGameLoop();
    CloseEndedGame();
    --loopDepth_;
    while (!deferredTails_.Empty(base)) RunTail(deferredTails_.Pop());
    tailsFloor_ = outerFloor;
    return true;
}

void Game::StartGame() {
    table.startTime = window_.TimeOfDay();
    if (settings.timeDisplay == 1) {
        window_.SetStatusText(1, " Game started at " + window_.LongTimeText(table.startTime) + " hrs.");
    }
    window_.SetStatusText(0, FormatText("Number of tiles in the MahJong deck: %d", table.tilesLeft));
    // The playing time starts from zero with the deal, not with the first
    // tick a second later: until then the panel would show the last game's.
    ShowPlayingTime(0.0);
    window_.SetTimerEnabled(WindowTimer::Timer1, true);

    table.stopRequested = 0;
    table.welcomePending = 0;
    shell.finishEnabled = 1;
    shell.autoPlayEnabled = 1;
    window_.SetVisible(WindowItem::ViewBtn1, !table.autoPlay);
    shell.tilesViewEnabled = table.autoPlay ? 0 : 1;
    shell.dimensionsEnabled = 0;

    shell.optionsChanged = 0;
    table.moveCheck = 1;
    table.gameRunning = 1;

    MarkLayersForRepaint(paint, 1);
    paint.redrawAllTiles = 1;
    window_.PaintSideWindow();
    window_.Paint();
    window_.SetCursor(WindowCursor::Arrow);

    table.score = 0;
    window_.SetScoreText(FormatText(" %03d", table.score));
    window_.SetVisible(WindowItem::Panel1, true);
    window_.SetVisible(WindowItem::Label1, true);
    window_.SetVisible(WindowItem::Panel2, true);

    table.shownSweep = 1;
    table.sureBetShown = 0;
    table.moveAnnounced = 0;
    table.sureBetCount = 0;
    table.sureBetFace = 0;
    table.knownMoveCount = 0;
    table.knownMoveFace = 0;
}

void Game::RunGameLoop() {
    bool idle = false;
    while (GameGoesOn()) {
        window_.HandlePendingMessages(idle);
        idle = !RunGamePass();
    }
}

// A game goes on while tiles and moves are left, unless the player has
// stopped automatic play.
bool Game::GameGoesOn() const {
    return table.tableReady && table.gameRunning && table.tilesLeft > 0 && !(table.autoPlay && table.stopRequested);
}

bool Game::AutoPlayEnded() const { return table.autoPlay && table.tableReady && !GameGoesOn(); }

bool Game::RunGamePass() {
    bool changed = false;
    if (shell.optionsChanged) {
        window_.SetVisible(WindowItem::ViewBtn1, true);
        window_.SetTimerInterval(WindowTimer::Timer2, 3000);
        window_.SetTimerEnabled(WindowTimer::Timer2, true);
        window_.PaintSideWindow();
        window_.Paint();
        shell.optionsChanged = 0;
        changed = true;
    }
    if (shell.resizePending) {
        if (shell.viewMode != kViewTable) {
            paint.eraseTableArea = 1;
        } else {
            paint.copyTablePicture = 1;
        }
        window_.PaintSideWindow();
        window_.Paint();
        shell.resizePending = 0;
        changed = true;
    }
    MirrorMenuFlags();
    changed |= AdvanceShownSweep();
    if ((settings.assistance == 1 || table.sureBetFace != 0) && table.firstSelection.made == 0) {
        changed |= SureBetStep();
    }
    const bool checkMoves = table.autoPlay ? (table.shownSweep == 0 && table.moveCheck) : table.moveCheck;
    if (checkMoves) changed |= CheckMoves();
    return changed;
}

bool Game::AdvanceShownSweep() {
    if (table.shownSweep <= 0) return false;
    TileRecord& tile = table.tiles[table.shownSweep];
    if (tile.present && tile.covered) tile.shown = 1;
    if (++table.shownSweep > kPositionCount) table.shownSweep = 0;
    return true;
}

void Game::MirrorMenuFlags() {
    window_.SetEnabled(WindowItem::TileMode, shell.tilesViewEnabled);
    window_.SetEnabled(WindowItem::ViewBtn1, shell.tilesViewEnabled);
    window_.SetEnabled(WindowItem::DimensionMode, shell.dimensionsEnabled);
    window_.SetEnabled(WindowItem::FinishGame1, shell.finishEnabled);
    window_.SetEnabled(WindowItem::AutoPlay1, shell.autoPlayEnabled);
    window_.SetEnabled(WindowItem::Undo1, UndoAllowed());
    window_.SetEnabled(WindowItem::Redo1, RedoAllowed());
    window_.SetEnabled(WindowItem::Hint1, AidsAllowed());
}

void Game::CloseEndedGame() {
    if (table.stopRequested || table.autoPlay) return;
    StopGameClock();
    table.tableReady = 0;
    table.dealt = 0;
    ShowResults();
    ClearTableAndControls();
    table.stopRequested = 0;
    window_.Paint();
    shell.autoPlayEnabled = 1;
    shell.tilesViewEnabled = 1;
    shell.dimensionsEnabled = 1;
}

// ---------------------------------------------------------------------------
// Closing steps of the commands

void Game::RunTail(CommandTail tail) {
    if (tail == CommandTail::NewGame) {
        EndNewGameCommand();
    } else {
        EndAutoPlayCommand();
    }
}

void Game::EndNewGameCommand() {
    table.stopRequested = 1;
    EnableViewCommandsFromFlags();
    window_.SetCursor(WindowCursor::Arrow);
}

void Game::EndAutoPlayCommand() {
    StopGameClock();
    window_.SetCursor(WindowCursor::Arrow);
    if (table.stopRequested) {
        window_.SetMessageLine("Auto Play terminated by User intervention.");
    } else if (table.tilesLeft != 0) {
        window_.SetMessageLine("No move left. Game finished for this basic version of Auto Play.");
    } else {
        window_.SetMessageLine("A straight win for this basic version of Auto Play.");
    }
    window_.SetStatusText(0, "Click once to clear the game table.");

    // The player may look at the Set of Tiles of the final table meanwhile.
    shell.tilesViewEnabled = 1;
    window_.SetEnabled(WindowItem::TileMode, true);
    window_.SetEnabled(WindowItem::ViewBtn1, true);
    window_.SetVisible(WindowItem::ViewBtn1, true);
    window_.Paint();
    window_.SetEnabled(WindowItem::NewGame1, false);
    window_.SetEnabled(WindowItem::AutoPlay1, false);

    WaitForClickOrEnd();
    ClearTableAfterAutoPlay();

    shell.autoPlayEnabled = 1;
    shell.tilesViewEnabled = 1;
    shell.dimensionsEnabled = 1;
    EnableViewCommandsFromFlags();
    window_.SetEnabled(WindowItem::NewGame1, true);
    window_.SetStatusText(0, "Ready to start a new game.");
}

void Game::WaitForClickOrEnd() {
    shell.clickSeen = 0;
    while (table.tableReady == 1 && !shell.clickSeen) window_.HandlePendingMessages(true);
}

void Game::ClearTableAfterAutoPlay() {
    table.tableReady = 0;
    table.dealt = 0;
    ClearTableAndControls();
    table.autoPlay = 0;
    table.stopRequested = 1;
    window_.Paint();
}

// The table is emptied, the panels and the information button go, and the
// next paint clears the table picture and the table area.
void Game::ClearTableAndControls() {
    ClearTable(table);
    window_.SetVisible(WindowItem::Panel2, false);
    window_.SetVisible(WindowItem::Label1, false);
    window_.SetVisible(WindowItem::Panel1, false);
    window_.SetVisible(WindowItem::ViewBtn1, false);
    paint.redrawAllTiles = 1;
    paint.eraseTableArea = 1;
}

void Game::EnableViewCommandsFromFlags() {
    window_.SetEnabled(WindowItem::TileMode, shell.tilesViewEnabled);
    window_.SetEnabled(WindowItem::DimensionMode, shell.dimensionsEnabled);
    window_.SetEnabled(WindowItem::AutoPlay1, shell.autoPlayEnabled);
}

// ---------------------------------------------------------------------------
// Deferred tails

bool Game::DeferredTails::Push(CommandTail tail, int floor) {
    if (size_ > floor && kinds_[size_ - 1] == tail) {
        ++counts_[size_ - 1];
        return true;
    }
    if (size_ == kCapacity) return false;
    kinds_[size_] = tail;
    counts_[size_] = 1;
    ++size_;
    return true;
}

Game::CommandTail Game::DeferredTails::Pop() {
    const CommandTail tail = kinds_[size_ - 1];
    if (--counts_[size_ - 1] == 0) --size_;
    return tail;
}

// ---------------------------------------------------------------------------
// Window helpers

MessageAnswer Game::AskYesNo(std::string_view caption, std::string_view text) {
    return window_.ShowMessage(caption, text, MessageIcon::None, MessageButtons::YesNo);
}

void Game::ShowScore() { window_.SetScoreText(FormatText(" %3d", table.score)); }

}  // namespace jadeleaf
