// An exact search for a winning order of a dealt table, for people who study deals.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
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
//
// First a search over orders of play, which decides most deals at once:
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
// - The four tiles of a class match each other alike, so a class is searched
//   as a class (seasons and flowers included), never face by face.
//
// The deals that search leaves open go to a search over splits. A winning
// order splits each class's tiles into pairs one way, and once every class's
// split is fixed, order no longer matters: a pair that can go may as well go
// at once, since its going frees others and takes nothing away.
// - With some splits still open, a tile may leave once it is free and one of
//   the tiles it could still pair with is free or already gone. Every winning
//   order with an allowed split is also a way through this easier game, so
//   when tiles stay behind in it, none of the allowed splits wins.
// - Each open class is tried with each of its splits, and a split that leaves
//   tiles behind is ruled out, until no more can be. Then one class is fixed
//   each allowed way in turn: the one with fewest splits left for the knots
//   it has been found in.
// - A deal still open after `secondOrderAfter` positions starts the search
//   over splits afresh, fixing first the class that holds the most tiles in
//   place. That order is worse on most deals, but it decides quickly some of
//   those the first order leaves open longest.
class DealSolver {
public:
    // `tableEntries` (a power of two) bounds the memory of lost states. The
    // search over splits takes over once `firstStint` positions have been
    // searched without an answer, and its second order after `secondOrderAfter`.
    explicit DealSolver(std::size_t tableEntries = std::size_t{1} << 20, std::uint64_t firstStint = 20'000,
                        std::uint64_t secondOrderAfter = 500'000);
    ~DealSolver();

    // Decides whether the tiles present on `table` (a fresh deal or a game in
    // play) can all be removed. `budget` bounds the positions searched; past
    // it the verdict is Unknown. A search whose `cancel` flag is raised
    // stops within kCancelCheck positions, also with Unknown.
    SolveResult Solve(const GameTable& table, std::uint64_t budget, const std::atomic<bool>* cancel = nullptr);

    // How many positions may pass between two looks at the cancel flag: a
    // few milliseconds of search at most.
    static constexpr std::uint64_t kCancelCheck = 256;

private:
    static constexpr int kClassCount = 36;
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
        std::uint8_t indexInClass[kPositionCount + 1];
        std::int16_t below[kPositionCount + 1][4];
        Mask under[kPositionCount + 1];  // every tile that p lies on, directly or not
    };

    struct LostEntry {
        Mask mask;
        std::uint32_t generation;
    };

    void Prepare(const GameTable& table);
    void Start(const std::uint8_t* present);
    Outcome RunFor(std::uint64_t budget);
    SolveResult Result(Outcome outcome) const;

    Outcome Search(const std::uint16_t* resting, int restingCount, int movedClass);
    bool Spend();
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

    std::pair<int, int> path_[kPositionCount / 2] = {};
    int depth_ = 0;
    std::uint64_t nodes_ = 0;
    std::uint64_t budget_ = 0;
    const std::atomic<bool>* cancel_ = nullptr;
    bool cancelled_ = false;
    int run_ = 0;
    std::uint64_t noiseState_ = 0;
    std::uint32_t noise_ = 0;

    std::uint64_t firstStint_ = 0;
    std::uint64_t secondOrderAfter_ = 0;
    bool heldMostFirst_ = false;  // the search over splits' second order
    std::vector<LostEntry> lost_;
    std::uint32_t generation_ = 0;

    // The search over splits. A class's allowed splits are a 3-bit mask.
    Outcome SearchSplits(const std::uint8_t* present, std::uint64_t budget);
    Outcome Branch(std::uint8_t* allowed);
    bool Narrow(std::uint8_t* allowed);
    int Loosen(std::uint8_t* work, const std::uint8_t* allowed, const std::int16_t* start, int startCount, int held,
               bool record);
    void Blame(const std::uint8_t* work);
    int PickClass(const std::uint8_t* allowed) const;

    std::uint8_t startPresent_[kPositionCount + 1] = {};
    std::int16_t startTiles_[kPositionCount] = {};
    int tilesAtStart_ = 0;
    int stuck_[kClassCount] = {};  // tiles that stay while the class is held in place
    std::uint64_t knots_[kClassCount] = {};  // free tiles of the class left stuck in a failed trial
};

}  // namespace jadeleaf
