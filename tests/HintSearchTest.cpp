// The hint's search: games played by hints alone, the lost and stuck
// answers, and the worker thread's tickets.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "analysis/HintSearch.h"
#include "model/Deck.h"
#include "model/Game.h"
#include "model/MoveRules.h"
#include "tests/FakeWindow.h"

namespace jadeleaf {
namespace {

using test::FakeWindow;

bool IsMove(const GameTable& table, int a, int b) {
    return a != b && IsFree(table, a) && IsFree(table, b) && TilesMatch(table, a, b);
}

// A hint never gives away a winnable table: once the first hint has found
// the deal winnable, following the hints alone clears it.
TEST(HintSearch, HintsAloneClearEveryWinnableDeal) {
    DealSolver solver(std::size_t{1} << 16);
    int winnable = 0;
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        FakeWindow window;
        Game game(window);
        window.Attach(game);
        game.table = DealtTable(seed);
        if (FindHint(solver, game.table).kind != HintAnswer::Kind::Winning) continue;
        ++winnable;
        while (game.table.tilesLeft > 0) {
            const HintAnswer hint = FindHint(solver, game.table);
            ASSERT_EQ(hint.kind, HintAnswer::Kind::Winning) << "seed " << seed << ", " << game.table.tilesLeft;
            ASSERT_TRUE(IsMove(game.table, hint.a, hint.b)) << "seed " << seed;
            game.RemovePair(hint.a, hint.b);
        }
    }
    EXPECT_GE(winnable, 90);
}

// On a lost table the hint still offers a valid pair; with none left it says so.
TEST(HintSearch, LostAndStuckTables) {
    DealSolver judge;
    DealSolver solver(std::size_t{1} << 16);
    std::uint32_t seed = 0;
    while (judge.Solve(DealtTable(seed), 1'000'000).verdict != SolveVerdict::Unwinnable) ++seed;
    GameTable table = DealtTable(seed);
    const HintAnswer lost = FindHint(solver, table);
    EXPECT_EQ(lost.kind, HintAnswer::Kind::Lost) << "seed " << seed;
    EXPECT_TRUE(IsMove(table, lost.a, lost.b));

    // A budget too small to decide anything: the move search's pair, unproven.
    table = DealtTable(1);
    const HintAnswer unproven = FindHint(solver, table, 1);
    EXPECT_EQ(unproven.kind, HintAnswer::Kind::Unproven);
    GameTable copy = table;
    ASSERT_NE(FindMove(copy), 0);
    EXPECT_EQ(unproven.a, copy.knownMove[0]);
    EXPECT_EQ(unproven.b, copy.knownMove[1]);

    // Two tiles left that do not match.
    FakeWindow window;
    Game game(window);
    window.Attach(game);
    game.table = DealtTable(1);
    int other = 2;
    while (TilesMatch(game.table, 1, other)) ++other;
    for (int p = 1; p <= kPositionCount; ++p) {
        if (p != 1 && p != other) game.table.tiles[p].present = 0;
    }
    EXPECT_EQ(FindHint(solver, game.table).kind, HintAnswer::Kind::NoMove);
}

TEST(HintSearch, TheWorkerAnswersEachTicketOnItsThread) {
    std::vector<std::uint64_t> tickets;
    std::vector<HintAnswer> answers;
    std::mutex mutex;
    {
        HintWorker worker([&](std::uint64_t ticket, const HintAnswer& answer) {
            const std::lock_guard<std::mutex> lock(mutex);
            tickets.push_back(ticket);
            answers.push_back(answer);
        });
        worker.Request(1, DealtTable(1));
        worker.WaitUntilIdle();
        worker.Request(2, DealtTable(2));
        worker.WaitUntilIdle();
    }
    ASSERT_EQ(tickets, (std::vector<std::uint64_t>{1, 2}));
    EXPECT_EQ(answers[0].kind, HintAnswer::Kind::Winning);
    EXPECT_TRUE(IsMove(DealtTable(1), answers[0].a, answers[0].b));
}

// A search under way is called off by Cancel and by a newer request: on deal
// 1280, which takes the search half a million positions, each stops after a
// few hundred.
TEST(HintSearch, TheWorkerCallsOffASearchForATableThatChanged) {
    std::vector<std::uint64_t> tickets;
    std::vector<HintAnswer> answers;
    std::mutex mutex;
    HintWorker worker(
        [&](std::uint64_t ticket, const HintAnswer& answer) {
            const std::lock_guard<std::mutex> lock(mutex);
            tickets.push_back(ticket);
            answers.push_back(answer);
        },
        100'000'000);
    const auto check = [&](std::uint64_t ticket) {
        const std::lock_guard<std::mutex> lock(mutex);
        ASSERT_GE(tickets.size(), ticket);
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            if (tickets[i] != ticket) continue;
            EXPECT_EQ(answers[i].kind, HintAnswer::Kind::Unproven) << ticket;
            EXPECT_LT(answers[i].nodes, 100'000u) << ticket;
        }
    };
    // Each call-off comes once the search is under way; one that comes
    // before only drops the request.
    const auto started = [&] {
        while (!worker.Searching()) std::this_thread::yield();
    };
    worker.Request(1, DealtTable(1280));
    started();
    worker.Cancel();
    worker.WaitUntilIdle();
    check(1);

    worker.Request(2, DealtTable(1280));
    started();
    worker.Request(3, DealtTable(1));
    worker.WaitUntilIdle();
    check(2);
    const std::lock_guard<std::mutex> lock(mutex);
    ASSERT_FALSE(tickets.empty());
    EXPECT_EQ(tickets.back(), 3u);
    EXPECT_EQ(answers.back().kind, HintAnswer::Kind::Winning);
}

}  // namespace
}  // namespace jadeleaf
