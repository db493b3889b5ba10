// An exact search for a winning order of a dealt table, for people who study deals.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "model/GameTable.h"

namespace jadeleaf {

enum class SolveVerdict { Winnable, Unwinnable, Unknown };

struct SolveResult {
    SolveVerdict verdict = SolveVerdict::Unknown;
    // For a winnable table, its pairs (72 for a fresh deal) in an order that empties it.
    std::vector<std::pair<int, int>> pairs;
    std::uint64_t nodes = 0;
};

// Decides whether every tile of a table can be removed.
// "Unwinnable" is only ever said after the whole game tree has been ruled out.
// Two facts of the game carry every cut below: a free tile stays free while
// others leave, and taking a pair never takes a move away from another class.
// - A match class whose remaining tiles (two or four) are all free is removed
//   at once: those tiles can only ever pair among themselves, and nothing else
//   loses by their going.
// - A table state already shown to be lost is not searched again. States are
//   compared whole, not by a hash, so a collision cannot turn a win into a loss.
// - A pair shown to lose when taken is not taken later on the same line while
//   its tiles are still there: the later position is reached from the losing
//   one by the same moves, so it loses too.
// - Bound pairs (a class's last two, and the two pairs of a class of four that
//   can split only one way without a tile on its partner) must be able to
//   leave even if every other tile could leave alone as soon as it is free.
//   That easier game is decided exactly by letting everything leave that can;
//   when some bound pair stays, the real game is lost as well. A class of four
//   next to the class just played is also tried bound each way it can split.
// - Before a long search, every game in which only one, two or three classes
//   must be paired (the rest leaving alone when free) is decided; a loss there
//   is a loss of the whole table.
// - The four tiles of a class match each other alike, so a class is searched
//   as a class (seasons and flowers included), never face by face.
class DealSolver {
public:
    // `tableEntries` (a power of two) bounds the memory of lost states. The
    // games of a few classes are tried once `firstStint` positions have been
    // searched without an answer.
    explicit DealSolver(std::size_t tableEntries = std::size_t{1} << 20, std::uint64_t firstStint = 20'000);
    ~DealSolver();

    // Decides whether the tiles present on `table` (a fresh deal or a game in
    // play) can all be removed. `budget` bounds the positions searched; past
    // it the verdict is Unknown.
    SolveResult Solve(const GameTable& table, std::uint64_t budget);

private:
    static constexpr int kClassCount = 36;
    static constexpr std::uint64_t kAllClasses = (std::uint64_t{1} << kClassCount) - 1;
    // Every pair that is free at some position: six in each class.
    static constexpr int kMaxResting = kClassCount * 6;
    static constexpr std::int16_t kHeld = -1;
    static constexpr int kEverything = 1 << 20;  // Settle's answer once the watched pair has gone
    // Far above any weight: the runs after the first go mostly in random order.
    static constexpr std::uint32_t kRestartNoise = 4096;
    using Mask = std::array<std::uint64_t, 3>;

    enum class Outcome : std::uint8_t { Won, Lost, OutOfBudget };

    struct Position {
        std::int16_t top;  // the tile that lies on this one, 0 = none
        std::uint8_t leftCount;
        std::uint8_t rightCount;
        std::int16_t left[2];
        std::int16_t right[2];
        std::uint8_t matchClass;
    };

    // What the deal's layout fixes for the whole search.
    struct Geometry {
        Position positions[kPositionCount + 1];
        std::uint8_t classTiles[kClassCount][4];
        std::uint8_t playableSplits[kClassCount];  // bit s: split s has no tile on its partner
        std::int16_t below[kPositionCount + 1][4];
        Mask under[kPositionCount + 1];  // every tile that p lies on, directly or not
    };

    struct LostEntry {
        Mask mask;
        std::uint32_t generation;
    };

    void Prepare(const GameTable& table);
    void Start(const std::uint8_t* present, std::uint64_t classes);
    Outcome RunFor(std::uint64_t budget);
    SolveResult Result(Outcome outcome) const;
    bool LostWithFewClasses(const std::uint8_t* present, std::uint64_t budget);

    Outcome Search(const std::uint16_t* resting, int restingCount, int movedClass);
    int StillResting(const std::uint16_t* resting, int count, std::uint16_t* kept) const;
    bool Free(int p) const;
    bool FreeIn(const std::uint8_t* present, int p) const;
    static bool SideBlockedIn(const std::uint8_t* present, const std::int16_t* side, int count);
    bool Above(int upper, int lower) const;
    void ListFree(std::uint8_t* freeCount, std::uint8_t (*freeTiles)[4]) const;
    int Touched(int p, std::int16_t* out) const;

    bool Tangled(int movedClass, const std::uint8_t* freeCount, const std::uint8_t (*freeTiles)[4]) const;
    bool NextTo(int e, int d) const;
    static void Bind(std::int16_t* partner, int a, int b);
    int Settle(std::uint8_t* work, const std::int16_t* partner, const std::int16_t* start, int startCount,
               int until = -1) const;

    void Remove(int a, int b);
    void Restore(int a, int b);
    int DropFreeJokers(const std::int16_t* candidates, int candidateCount);
    int DropJokersNear(int a, int b);
    void RestoreJokers(int count);
    int MoveWeight(int a, int b);
    int ShutIn(int t) const;
    bool KnownLost() const;
    void RememberLost();
    std::size_t Slot() const;

    Geometry geometry_ = {};
    std::uint64_t zobrist_[kPositionCount + 1] = {};

    std::uint8_t present_[kPositionCount + 1] = {};
    std::uint8_t classLeft_[kClassCount] = {};
    Mask mask_ = {};
    std::uint64_t hash_ = 0;
    int tilesLeft_ = 0;
    bool lostAtStart_ = false;

    // The classes that must be paired; the others' tiles (in the easier
    // games only) leave alone as soon as they are free.
    std::uint64_t paired_ = kAllClasses;
    std::int16_t droppedJokers_[kPositionCount] = {};
    int droppedCount_ = 0;

    std::pair<int, int> path_[kPositionCount / 2] = {};
    int depth_ = 0;
    std::uint64_t nodes_ = 0;
    std::uint64_t budget_ = 0;
    int run_ = 0;
    std::uint64_t noiseState_ = 0;
    std::uint32_t noise_ = 0;

    std::uint64_t firstStint_ = 0;
    std::vector<LostEntry> lost_;
    std::uint32_t generation_ = 0;
    std::unique_ptr<DealSolver> fewClasses_;  // decides the games of a few classes
};

}  // namespace jadeleaf
