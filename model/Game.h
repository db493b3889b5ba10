// The game: dealing, the game loop, the move check and automatic play, and
// the ending of a game, all on the one program-wide state.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "model/GameTable.h"
#include "model/GameWindow.h"
#include "model/PaintRequests.h"
#include "model/RandomSource.h"
#include "model/Settings.h"
#include "model/ShellState.h"

namespace jadeleaf {

class Game {
public:
    explicit Game(GameWindow& window);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The program-wide state. The main window and the tests read it directly,
    // as painting and the information views do.
    GameTable table;
    ShellState shell;
    PaintRequests paint;
    Settings settings;
    RandomSource random;

    // Game menu commands.
    void NewGame1Click();
    void AutoPlay1Click();
    void FinishGame1Click();
    // Deal Number: a new game on the deal of `seed`, as New game deals the
    // clock's seconds; DealSeed is the number of the last deal.
    void DealNumber1Click(std::uint32_t seed);
    std::uint32_t DealSeed() const { return dealSeed_; }
    // With the Winnable Deals option on, a deal from the clock goes from the
    // clock's seed to the one `search` returns: the first it proves
    // winnable. The model has no search of its own; the window gives it one.
    using WinnableSeedSearch = std::function<std::uint32_t(std::uint32_t seed)>;
    void SetWinnableSeedSearch(WinnableSeedSearch search) { winnableSeedSearch_ = std::move(search); }
    // Undo puts the last pair taken back as if it had never gone; Redo takes
    // it again. Both work only while a manual game is in play.
    void Undo1Click();
    void Redo1Click();
    bool UndoAllowed() const;
    bool RedoAllowed() const;
    // The aids (Undo, Redo, Hint) belong to a manual game in play on the table view.
    bool AidsAllowed() const;

    void StopGameClock();
    void ShowResults();
    // The running playing time `span` in status panel 2, or the text that
    // stands in for it while the TimeDisplay option is off.
    void ShowPlayingTime(DayFraction span);

    // The rules of play that reach the window.
    int ReleaseLinks(int p);
    void RemovePair(int a, int b);
    void AnnounceNoMoveLeft();
    // Notes a tile taken off the table in the removal order; a new pair
    // ends what Redo could take again.
    void RecordRemoval(int p);

    // One pass each of the game loop's sure-bet hint, move check and automatic
    // move. Each returns whether it changed the game, so that the loop knows
    // when it may wait for the next event.
    bool SureBetStep();
    bool CheckMoves();
    bool AutoMoveStep();

    // Sets the menu items and the information button enabled as the shell's
    // flags say: the game loop does it on every pass, the main window when idle.
    void MirrorMenuFlags();

    // Whether an automatic game has come to its end and its table waits for
    // the click that clears it.
    bool AutoPlayEnded() const;

    // The deepest the game loop has been nested in this run; a command that
    // starts a game while a loop runs hands its game to that loop instead.
    int MaxLoopDepth() const { return maxLoopDepth_; }

private:
    // What a command does after its game loop has returned.
    enum class CommandTail : std::uint8_t { NewGame, AutoPlay };

    // The tails of commands whose games a running loop took over, innermost
    // last. Repeats of one kind are counted, not stored again.
    class DeferredTails {
    public:
        // Repeats merge only above `floor`, the first entry of the loop that runs.
        bool Push(CommandTail tail, int floor);
        bool Empty(int base) const { return size_ <= base; }
        int Size() const { return size_; }
        CommandTail Pop();

    private:
        static constexpr int kCapacity = 32;
        CommandTail kinds_[kCapacity] = {};
        std::int32_t counts_[kCapacity] = {};
        int size_ = 0;
    };

    void DealNewTable();
    // Returns to the table view; false when it was shown already.
    bool LeaveInformationView();
    void SetFirstMessage();
    bool RunGame(CommandTail tail);
    void StartGame();
    bool GameGoesOn() const;
    void RunGameLoop();
    bool RunGamePass();
    void CloseEndedGame();
    void RunTail(CommandTail tail);
    void EndNewGameCommand();
    void EndAutoPlayCommand();
    void WaitForClickOrEnd();
    void ClearTableAfterAutoPlay();
    void ClearTableAndControls();
    void EnableViewCommandsFromFlags();
    bool AdvanceShownSweep();
    void SelectForAutoPlay(TileSelection& selection, int p);
    void RemoveTile(int p);
    void RestoreTile(int p);
    void DropSelectionsAndSearches();
    void ShowTilesAndScore();
    void SayAboutAid(std::string_view text);
    void ShowScore();
    MessageAnswer AskYesNo(std::string_view caption, std::string_view text);
    void ReportBrokenLink(const char* pattern, int p);

    GameWindow& window_;
    int loopDepth_ = 0;
    int maxLoopDepth_ = 0;
    int tailsFloor_ = 0;
    DeferredTails deferredTails_;
    std::uint32_t dealSeed_ = 0;
    std::optional<std::uint32_t> chosenSeed_;
    WinnableSeedSearch winnableSeedSearch_;
};

}  // namespace jadeleaf
