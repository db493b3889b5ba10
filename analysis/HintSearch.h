// The hint: the pair to show for a table in play, found by the deal search, and the worker thread that looks for it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "analysis/DealSolver.h"
#include "model/GameTable.h"

namespace jadeleaf {

struct HintAnswer {
    enum class Kind : std::uint8_t {
        Winning,   // the first pair of an order that clears the table
        Lost,      // no order clears the table; a valid pair all the same
        Unproven,  // the search ran out of its budget; the move search's pair
        NoMove,    // no pair is left at all
    };
    Kind kind = Kind::NoMove;
    int a = 0;
    int b = 0;
    std::uint64_t nodes = 0;  // positions the search went through
};

// Positions a hint may search: about a quarter of a second on the slowest
// tables of played games.
inline constexpr std::uint64_t kHintBudget = 100'000;

// Decides the hint for the tiles present on `table`. Blocks for as long as
// the search takes; a raised `cancel` flag cuts it short, as if its budget
// had run out.
HintAnswer FindHint(DealSolver& solver, const GameTable& table, std::uint64_t budget = kHintBudget,
                    const std::atomic<bool>* cancel = nullptr);

// One thread that answers hint requests in turn with a solver of its own.
// A new request replaces one not yet begun and calls off the one under way;
// each answer goes to `deliver` on the worker's thread with the ticket of its
// request, and the caller decides whether it still wants it.
class HintWorker {
public:
    using Deliver = std::function<void(std::uint64_t ticket, const HintAnswer& answer)>;

    explicit HintWorker(Deliver deliver, std::uint64_t budget = kHintBudget);
    ~HintWorker();
    HintWorker(const HintWorker&) = delete;
    HintWorker& operator=(const HintWorker&) = delete;

    void Request(std::uint64_t ticket, const GameTable& table);
    // Drops the request not yet begun and calls off the search under way,
    // which then answers as out of budget: the table has changed and its
    // answer would be dropped anyway.
    void Cancel();
    // Blocks until every request made so far has been answered.
    void WaitUntilIdle();
    // Whether a search is under way.
    bool Searching();

private:
    void Run();

    Deliver deliver_;
    const std::uint64_t budget_;
    std::mutex mutex_;
    std::condition_variable changed_;
    GameTable pending_ = {};
    std::uint64_t pendingTicket_ = 0;
    bool hasPending_ = false;
    bool busy_ = false;
    bool stopping_ = false;
    std::atomic<bool> cancel_ = false;
    std::thread thread_;
};

}  // namespace jadeleaf
