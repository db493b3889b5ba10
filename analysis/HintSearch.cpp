// The hint's search and its worker thread.
#include "analysis/HintSearch.h"

#include "model/MoveRules.h"

namespace jadeleaf {

HintAnswer FindHint(DealSolver& solver, const GameTable& table, std::uint64_t budget,
                    const std::atomic<bool>* cancel) {
    const SolveResult result = solver.Solve(table, budget, cancel);
    HintAnswer answer;
    answer.nodes = result.nodes;
    if (result.verdict == SolveVerdict::Winnable && !result.pairs.empty()) {
        answer.kind = HintAnswer::Kind::Winning;
        answer.a = result.pairs.front().first;
        answer.b = result.pairs.front().second;
        return answer;
    }
    GameTable copy = table;
    copy.firstSelection.made = 0;
    if (FindMove(copy) == 0) return answer;
    answer.kind = result.verdict == SolveVerdict::Unwinnable ? HintAnswer::Kind::Lost : HintAnswer::Kind::Unproven;
    answer.a = copy.knownMove[0];
    answer.b = copy.knownMove[1];
    return answer;
}

HintWorker::HintWorker(Deliver deliver, std::uint64_t budget)
    : deliver_(std::move(deliver)), budget_(budget), thread_([this] { Run(); }) {}

HintWorker::~HintWorker() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    cancel_ = true;
    changed_.notify_all();
    thread_.join();
}

void HintWorker::Request(std::uint64_t ticket, const GameTable& table) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pending_ = table;
        pendingTicket_ = ticket;
        hasPending_ = true;
        cancel_ = true;
    }
    changed_.notify_all();
}

void HintWorker::Cancel() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        hasPending_ = false;
        cancel_ = true;
    }
    changed_.notify_all();
}

void HintWorker::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !hasPending_ && !busy_; });
}

bool HintWorker::Searching() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return busy_;
}

void HintWorker::Run() {
    // A small table of lost states: a hint searches a table in play, far
    // fewer positions than a whole deal.
    DealSolver solver(std::size_t{1} << 16);
    GameTable table;
    for (;;) {
        std::uint64_t ticket = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || hasPending_; });
            if (stopping_) return;
            table = pending_;
            ticket = pendingTicket_;
            hasPending_ = false;
            busy_ = true;
            // Taken under the lock: a call-off from now on is meant for this search.
            cancel_ = false;
        }
        const HintAnswer answer = FindHint(solver, table, budget_, &cancel_);
        deliver_(ticket, answer);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            busy_ = false;
        }
        changed_.notify_all();
    }
}

}  // namespace jadeleaf
