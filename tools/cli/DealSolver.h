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
// "Unwinnable" is only ever said after the whole game tree has been ruled out;
// the cuts used below lose no winning line:
// - A match class whose remaining tiles (two or four) are all free is removed
//   at once: those tiles can only ever pair among themselves, and removing
//   tiles never makes a free tile unfree, so doing it first spoils nothing.
// - A class is dead when one of its last two tiles lies (even indirectly) on
//   the other, or when its four cannot be split into two pairs without one
//   pair stacked (three in one stack, or one tile on all three others): a
//   stacked pair never goes, since the lower tile is never free while the
//   upper is there. A class of four with one split left goes as those two
//   pairs, and they join the order check of the classes of two.
// - A table state already shown to be lost is not searched again. States are
//   compared whole, not by a hash, so a collision cannot turn a win into a loss.
// - The four tiles of a class match each other alike, so a class is searched
//   as a class (seasons and flowers included), never face by face.
class DealSolver {
public:
    // `tableEntries` (a power of two) bounds the memory of lost states.
    explicit DealSolver(std::size_t tableEntries = std::size_t{1} << 20);

    // Decides whether the tiles present on `table` (a fresh deal or a game in
    // play) can all be removed. `budget` bounds the positions searched; past
    // it the verdict is Unknown.
    SolveResult Solve(const GameTable& table, std::uint64_t budget);

    // Decides the easier game in which only the classes in `classes` (bit c
    // for match class c) must be paired; every other tile may leave alone
    // once it is free. A loss there is a loss of the whole table.
    SolveResult SolveClasses(const GameTable& table, std::uint64_t classes, std::uint64_t budget);

private:
    static constexpr int kClassCount = 36;
    static constexpr std::uint64_t kAllClasses = (std::uint64_t{1} << kClassCount) - 1;
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

    struct LostEntry {
        Mask mask;
        std::uint32_t generation;
    };

    void Prepare(const GameTable& table);
    bool LostWithFewClasses(const GameTable& table, std::uint64_t budget);
    Outcome RunFor(std::uint64_t budget);
    SolveResult Result(Outcome outcome) const;
    void Start(const GameTable& table, std::uint64_t classes);
    int DropFreeJokers();
    void RestoreJokers(int count);
    // Every pair that is free at some position: six in each class.
    static constexpr int kMaxResting = kClassCount * 6;
    Outcome Search(const std::uint16_t* resting, int restingCount);
    int StillResting(const std::uint16_t* resting, int count, std::uint16_t* kept) const;
    bool Free(int p) const;
    bool SideBlocked(const std::int16_t* side, int count) const;
    bool Dead() const;
    int RowStep(int p, bool rightwards) const;
    bool Above(int upper, int lower) const;
    void Remove(int a, int b);
    void Restore(int a, int b);
    int MoveWeight(int a, int b);
    int ShutIn(int t) const;
    bool KnownLost() const;
    void RememberLost();
    std::size_t Slot() const;

    GameTable layout_ = {};
    Position positions_[kPositionCount + 1] = {};
    std::uint8_t classTiles_[kClassCount][4] = {};
    std::int16_t below_[kPositionCount + 1][4] = {};
    Mask under_[kPositionCount + 1] = {};  // every tile that p lies on, directly or not
    std::uint64_t zobrist_[kPositionCount + 1] = {};

    std::uint8_t present_[kPositionCount + 1] = {};
    std::uint8_t classLeft_[kClassCount] = {};
    Mask mask_ = {};
    std::uint64_t hash_ = 0;
    int tilesLeft_ = 0;

    std::pair<int, int> path_[kPositionCount / 2] = {};
    int depth_ = 0;
    std::uint64_t nodes_ = 0;
    int run_ = 0;
    std::uint64_t budget_ = 0;
    std::uint64_t noiseState_ = 0;
    std::uint32_t noise_ = 0;

    std::int16_t jokers_[kPositionCount] = {};
    int jokerCount_ = 0;
    std::int16_t droppedJokers_[kPositionCount] = {};
    int droppedCount_ = 0;

    std::vector<LostEntry> lost_;
    std::unique_ptr<DealSolver> relaxed_;  // for the games of a few classes
    std::uint32_t generation_ = 0;
};

}  // namespace jadeleaf
