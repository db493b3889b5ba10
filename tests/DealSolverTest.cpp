// The deal solver: its winning orders replayed through the game, its losses checked by brute force.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "model/Deck.h"
#include "model/Game.h"
#include "model/MoveRules.h"
#include "tests/FakeWindow.h"
#include "analysis/DealSolver.h"

namespace jadeleaf {
namespace {

using test::FakeWindow;

// Plays `pairs` on `game` by the game's own rules; says what went wrong, if anything.
std::string Replay(Game& game, FakeWindow& window, const std::vector<std::pair<int, int>>& pairs) {
    for (const auto& [a, b] : pairs) {
        if (a == b || !IsFree(game.table, a) || !IsFree(game.table, b) || !TilesMatch(game.table, a, b)) {
            return "pair " + std::to_string(a) + "," + std::to_string(b) + " is no move";
        }
        game.RemovePair(a, b);
    }
    if (!window.boxes.empty()) return "a link check failed";
    return game.table.tilesLeft == 0 ? "" : std::to_string(game.table.tilesLeft) + " tiles left";
}

struct Fixture {
    FakeWindow window;
    Game game{window};
    Fixture() { window.Attach(game); }
    void Deal(std::uint32_t seed) { game.table = DealtTable(seed); }
};

TEST(DealSolver, EveryWinningOrderOfARangeEmptiesTheTable) {
    DealSolver solver;
    int decided = 0;
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
        SCOPED_TRACE(seed);
        Fixture fixture;
        fixture.Deal(seed);
        const SolveResult result = solver.Solve(fixture.game.table, 20'000);
        EXPECT_LE(result.nodes, 20'000u);
        if (result.verdict != SolveVerdict::Winnable) {
            EXPECT_TRUE(result.pairs.empty());
            decided += result.verdict == SolveVerdict::Unwinnable;
            continue;
        }
        ++decided;
        ASSERT_EQ(result.pairs.size(), 72u);
        EXPECT_EQ(Replay(fixture.game, fixture.window, result.pairs), "");
    }
    EXPECT_GE(decided, 50);
}

TEST(DealSolver, AGameInPlayIsSolvedFromWhereItStands) {
    DealSolver solver;
    Fixture fixture;
    fixture.Deal(1);
    const SolveResult whole = solver.Solve(fixture.game.table, 1'000'000);
    ASSERT_EQ(whole.verdict, SolveVerdict::Winnable);
    for (int i = 0; i < 30; ++i) fixture.game.RemovePair(whole.pairs[i].first, whole.pairs[i].second);

    const SolveResult rest = solver.Solve(fixture.game.table, 1'000'000);
    ASSERT_EQ(rest.verdict, SolveVerdict::Winnable);
    EXPECT_EQ(rest.pairs.size(), 42u);
    EXPECT_EQ(Replay(fixture.game, fixture.window, rest.pairs), "");
}

TEST(DealSolver, ABudgetTooSmallLeavesTheQuestionOpen) {
    DealSolver solver;
    const SolveResult result = solver.Solve(DealtTable(0), 1);
    EXPECT_EQ(result.verdict, SolveVerdict::Unknown);
    EXPECT_TRUE(result.pairs.empty());
    EXPECT_LE(result.nodes, 1u);
    // Deal 63 is still open after the first stint: the search over splits
    // that follows counts against the budget too.
    const SolveResult longer = solver.Solve(DealtTable(63), 20'500);
    EXPECT_EQ(longer.verdict, SolveVerdict::Unknown);
    EXPECT_LE(longer.nodes, 20'500u);
}

// A raised cancel flag stops both searches within a few hundred positions.
// Deal 1280 takes each of them half a million positions at least.
TEST(DealSolver, ARaisedCancelFlagStopsTheSearch) {
    const std::atomic<bool> raised = true;
    for (const std::uint64_t firstStint : {std::uint64_t{20'000}, std::uint64_t{0}}) {
        DealSolver solver(std::size_t{1} << 16, firstStint);
        const SolveResult result = solver.Solve(DealtTable(1280), 1'000'000, &raised);
        EXPECT_EQ(result.verdict, SolveVerdict::Unknown) << firstStint;
        EXPECT_LE(result.nodes, DealSolver::kCancelCheck) << firstStint;
    }
    // Raised while the search runs: from another thread, as the hint's
    // worker sees it raised by the window.
    std::atomic<bool> cancel = false;
    DealSolver solver(std::size_t{1} << 16);
    std::thread raiser([&] { cancel = true; });
    const SolveResult result = solver.Solve(DealtTable(1280), 100'000'000, &cancel);
    raiser.join();
    EXPECT_EQ(result.verdict, SolveVerdict::Unknown);
    EXPECT_LT(result.nodes, 100'000u);
    // The flag belongs to that search alone.
    EXPECT_EQ(solver.Solve(DealtTable(0), 1'000'000).verdict, SolveVerdict::Winnable);
}

// Deal 1280 is open long after the search over splits begins, yet its second
// order, fixing first the class that holds the most tiles in place, wins it
// within a few thousand positions.
TEST(DealSolver, TheSecondOrderOfTheSearchOverSplitsDecidesWhatTheFirstLeavesOpen) {
    Fixture fixture;
    fixture.Deal(1280);
    DealSolver firstOrderOnly(std::size_t{1} << 16, 20'000, 1'000'000);
    EXPECT_EQ(firstOrderOnly.Solve(fixture.game.table, 60'000).verdict, SolveVerdict::Unknown);
    DealSolver secondOrderSoon(std::size_t{1} << 16, 20'000, 30'000);
    const SolveResult result = secondOrderSoon.Solve(fixture.game.table, 60'000);
    ASSERT_EQ(result.verdict, SolveVerdict::Winnable);
    EXPECT_GT(result.nodes, 30'000u);
    EXPECT_EQ(Replay(fixture.game, fixture.window, result.pairs), "");
}

// The top tile lies on three tiles of its own class and its last partner lies
// on none of them: every way of pairing the four leaves a pair stacked, so no
// search is needed to see the deal is lost.
TEST(DealSolver, AClassWithNoPlayableSplitIsLostAtOnce) {
    GameTable table = DealtTable(2);
    const int face = table.deal[141 - 1];
    ASSERT_LT(face, kFirstSeason);
    const auto inStack = [](int p) { return p == 141 || (p >= 137 && p <= 139); };
    for (const int covered : {137, 138, 139}) {
        if (table.deal[covered - 1] == face) continue;
        int spare = 1;
        while (inStack(spare) || table.deal[spare - 1] != face) ++spare;
        std::swap(table.deal[covered - 1], table.deal[spare - 1]);
    }
    ASSERT_EQ(std::count(std::begin(table.deal), std::end(table.deal), face), 4);
    for (const int p : {137, 138, 139, 141}) ASSERT_EQ(table.deal[p - 1], face);

    DealSolver solver;
    const SolveResult result = solver.Solve(table, 1'000'000);
    EXPECT_EQ(result.verdict, SolveVerdict::Unwinnable);
    EXPECT_LE(result.nodes, 1u);
}

// Deal 759 comes within one pair of a win along many lines, yet one class's
// four tiles knot with the tiles around them whichever way they split. The
// search over splits sees it at once, where orders of play would not.
TEST(DealSolver, AKnotTheOrderSearchCannotSeeIsFoundBySplits) {
    DealSolver solver;
    const SolveResult result = solver.Solve(DealtTable(759), 1'000'000);
    EXPECT_EQ(result.verdict, SolveVerdict::Unwinnable);
    EXPECT_LT(result.nodes, 25'000u);
}

// Whole deals are too big for a search without cuts, but the two searches
// reason in different ways. These deals are lost by orders of play, found
// long before the search over splits would take over; it must agree alone.
TEST(DealSolver, TheTwoSearchesAgreeOnLostDeals) {
    constexpr std::uint64_t kBudget = 20'000;
    DealSolver ordersOnly(std::size_t{1} << 18, kBudget);
    DealSolver splitsOnly(std::size_t{1} << 16, 0);
    for (const std::uint32_t seed : {648u, 1712u, 2788u, 2948u, 3615u, 5411u, 6065u, 6108u, 9031u}) {
        SCOPED_TRACE(seed);
        const GameTable table = DealtTable(seed);
        EXPECT_EQ(ordersOnly.Solve(table, kBudget).verdict, SolveVerdict::Unwinnable);
        EXPECT_EQ(splitsOnly.Solve(table, kBudget).verdict, SolveVerdict::Unwinnable);
    }
}

// Every order of play, by the game's own rules, with no cut at all.
class BruteForce {
public:
    explicit BruteForce(Game& game) : game_(game) {}

    bool Winnable() {
        if (game_.table.tilesLeft == 0) return true;
        std::array<std::uint64_t, 3> key{};
        for (int p = 1; p <= kPositionCount; ++p) {
            if (game_.table.tiles[p].present) key[(p - 1) / 64] |= std::uint64_t{1} << ((p - 1) % 64);
        }
        if (lost_.count(key)) return false;
        std::vector<int> free;
        for (int p = 1; p <= kPositionCount; ++p) {
            if (IsFree(game_.table, p)) free.push_back(p);
        }
        for (std::size_t i = 0; i < free.size(); ++i) {
            for (std::size_t j = i + 1; j < free.size(); ++j) {
                if (!TilesMatch(game_.table, free[i], free[j])) continue;
                const GameTable saved = game_.table;
                game_.RemovePair(free[i], free[j]);
                const bool won = Winnable();
                game_.table = saved;
                if (won) return true;
            }
        }
        lost_.insert(key);
        return false;
    }

private:
    Game& game_;
    std::set<std::array<std::uint64_t, 3>> lost_;
};

// Tables played down at random to a few dozen tiles, where a search without
// cuts can still see every order: the solver must agree on each, losses above all.
TEST(DealSolver, AgreesWithABruteForceSearchNearTheEnd) {
    DealSolver solver;
    DealSolver eager(std::size_t{1} << 16, 0);
    int lost = 0;
    int won = 0;
    std::uint32_t random = 12345;
    for (std::uint32_t seed = 0; seed < 80; ++seed) {
        SCOPED_TRACE(seed);
        Fixture fixture;
        fixture.Deal(seed);
        GameTable& table = fixture.game.table;
        // Half the tables start down a winning line, so that both answers come up.
        if (seed % 2 == 0) {
            const SolveResult line = solver.Solve(table, 1'000'000);
            for (int i = 0; i < 50 && i < static_cast<int>(line.pairs.size()); ++i) {
                fixture.game.RemovePair(line.pairs[i].first, line.pairs[i].second);
            }
        }
        while (table.tilesLeft > 28) {
            std::vector<std::pair<int, int>> moves;
            for (int a = 1; a <= kPositionCount; ++a) {
                for (int b = a + 1; b <= kPositionCount; ++b) {
                    if (IsFree(table, a) && IsFree(table, b) && TilesMatch(table, a, b)) moves.emplace_back(a, b);
                }
            }
            if (moves.empty()) break;
            random = random * 1103515245u + 12345u;
            const auto [a, b] = moves[(random >> 8) % moves.size()];
            fixture.game.RemovePair(a, b);
        }
        const SolveResult result = solver.Solve(table, 10'000'000);
        ASSERT_NE(result.verdict, SolveVerdict::Unknown);
        // The search over splits, taking over at once here rather than after the first stint.
        const SolveResult eagerResult = eager.Solve(table, 10'000'000);
        const bool winnable = BruteForce(fixture.game).Winnable();
        EXPECT_EQ(result.verdict == SolveVerdict::Winnable, winnable);
        EXPECT_EQ(eagerResult.verdict == SolveVerdict::Winnable, winnable);
        (winnable ? won : lost) += 1;
        for (const SolveResult* answer : {&result, &eagerResult}) {
            if (answer->verdict != SolveVerdict::Winnable) continue;
            Fixture replay;
            replay.game.table = table;
            EXPECT_EQ(Replay(replay.game, replay.window, answer->pairs), "");
        }
    }
    // Both answers must have been put to the test.
    RecordProperty("won", won);
    RecordProperty("lost", lost);
    EXPECT_GE(lost, 10);
    EXPECT_GE(won, 10);
}

}  // namespace
}  // namespace jadeleaf
