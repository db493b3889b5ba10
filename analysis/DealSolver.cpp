// The exact search for a winning order: forced removals, bound pairs settled, lost states remembered.
#include "analysis/DealSolver.h"

#include "model/TableLayout.h"

#include <algorithm>
#include <bit>

namespace jadeleaf {

namespace {

int MatchClassOf(int face) {
    if (face >= kFirstFlower) return 35;
    if (face >= kFirstSeason) return 34;
    return face - 1;
}

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The three ways four tiles split into two pairs, as indices into a class's tiles.
constexpr int kSplits[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};

std::uint16_t PairKey(int a, int b) { return static_cast<std::uint16_t>(a << 8 | b); }

struct Move {
    std::int16_t a;
    std::int16_t b;
    std::int32_t weight;
};

}  // namespace

DealSolver::DealSolver(std::size_t tableEntries, std::uint64_t firstStint, std::uint64_t secondOrderAfter)
    : firstStint_(firstStint), secondOrderAfter_(secondOrderAfter), lost_(std::bit_ceil(std::max<std::size_t>(tableEntries, 4))) {
    std::uint64_t state = 0x6A09E667F3BCC908ull;
    for (std::uint64_t& key : zobrist_) key = SplitMix(state);
}

DealSolver::~DealSolver() = default;

void DealSolver::Prepare(const GameTable& table) {
    // The links as the deal laid them out: a table in play has released some.
    GameTable dealt;
    ClearTable(dealt);
    std::copy(std::begin(table.deal), std::end(table.deal), std::begin(dealt.deal));
    BuildLayout(dealt);
    int filled[kClassCount] = {};
    for (int p = 1; p <= kPositionCount; ++p) {
        const TileRecord& tile = dealt.tiles[p];
        Position& position = geometry_.positions[p];
        position = {};
        for (const int l : tile.left) {
            if (l != 0 && tile.leftBlocked) position.left[position.leftCount++] = static_cast<std::int16_t>(l);
        }
        for (const int r : tile.right) {
            if (r != 0 && tile.rightBlocked) position.right[position.rightCount++] = static_cast<std::int16_t>(r);
        }
        const int matchClass = MatchClassOf(tile.face);
        position.matchClass = static_cast<std::uint8_t>(matchClass);
        geometry_.indexInClass[p] = static_cast<std::uint8_t>(filled[matchClass] & 3);
        geometry_.classTiles[matchClass][filled[matchClass]++ & 3] = static_cast<std::uint8_t>(p);
    }
    for (int p = 1; p <= kPositionCount; ++p) {
        for (int i = 0; i < 4; ++i) {
            const int d = dealt.tiles[p].below[i];
            geometry_.below[p][i] = static_cast<std::int16_t>(d);
            if (d != 0) geometry_.positions[d].top = static_cast<std::int16_t>(p);
        }
    }
    // A tile lies on the tiles below it and on everything they lie on; the
    // layers are numbered upwards, so each layer's sets build on the last.
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        for (int p = 1; p <= kPositionCount; ++p) {
            const TileRecord& tile = dealt.tiles[p];
            if (tile.layer != layer) continue;
            geometry_.under[p] = {};
            for (const int d : tile.below) {
                if (d == 0) continue;
                for (int w = 0; w < 3; ++w) geometry_.under[p][w] |= geometry_.under[d][w];
                geometry_.under[p][(d - 1) >> 6] |= std::uint64_t{1} << ((d - 1) & 63);
            }
        }
    }
    // A split with one tile on its partner can never be played.
    for (int c = 0; c < kClassCount; ++c) {
        const std::uint8_t* tiles = geometry_.classTiles[c];
        const auto stacked = [&](int i, int j) { return Above(tiles[i], tiles[j]) || Above(tiles[j], tiles[i]); };
        geometry_.playableSplits[c] = 0;
        for (int s = 0; s < 3; ++s) {
            const int* split = kSplits[s];
            if (!stacked(split[0], split[1]) && !stacked(split[2], split[3])) geometry_.playableSplits[c] |= std::uint8_t(1u << s);
        }
    }
}

SolveResult DealSolver::Solve(const GameTable& table, std::uint64_t budget, const std::atomic<bool>* cancel) {
    cancel_ = cancel;
    cancelled_ = false;
    Prepare(table);
    std::uint8_t present[kPositionCount + 1] = {};
    for (int p = 1; p <= kPositionCount; ++p) present[p] = table.tiles[p].present == 1 ? 1 : 0;
    Start(present);
    // Most deals are decided within the first few thousand positions. The
    // rest go to the search over splits, which sees knots that orders of
    // play would take millions of positions to rule out.
    Outcome outcome = RunFor(std::min(budget, firstStint_));
    for (const bool heldMostFirst : {false, true}) {
        if (outcome != Outcome::OutOfBudget || cancelled_ || nodes_ >= budget) break;
        heldMostFirst_ = heldMostFirst;
        outcome = SearchSplits(present, heldMostFirst ? budget : std::min(budget, secondOrderAfter_));
    }
    cancel_ = nullptr;
    return Result(outcome);
}

void DealSolver::Start(const std::uint8_t* present) {
    if (++generation_ == 0) {
        std::fill(lost_.begin(), lost_.end(), LostEntry{});
        generation_ = 1;
    }
    mask_ = {};
    hash_ = 0;
    tilesLeft_ = 0;
    std::fill(std::begin(classLeft_), std::end(classLeft_), std::uint8_t{0});
    for (int p = 1; p <= kPositionCount; ++p) {
        present_[p] = present[p];
        if (!present_[p]) continue;
        mask_[(p - 1) >> 6] |= std::uint64_t{1} << ((p - 1) & 63);
        hash_ ^= zobrist_[p];
        ++classLeft_[geometry_.positions[p].matchClass];
        ++tilesLeft_;
    }
    depth_ = 0;
    nodes_ = 0;
    run_ = 0;
    noiseState_ = 0x9E3779B97F4A7C15ull;
    // Tiles leave two of a class at a time, and a class of four that cannot
    // split without a tile on its partner never goes; the bound pairs are
    // checked once here, then after each move.
    lostAtStart_ = false;
    for (int c = 0; c < kClassCount; ++c) {
        lostAtStart_ |= classLeft_[c] % 2 != 0 || (classLeft_[c] == 4 && geometry_.playableSplits[c] == 0);
    }
    if (lostAtStart_) return;
    std::uint8_t freeCount[kClassCount];
    std::uint8_t freeTiles[kClassCount][4];
    ListFree(freeCount, freeTiles);
    lostAtStart_ = Tangled(-1, freeCount, freeTiles);
}

DealSolver::Outcome DealSolver::RunFor(std::uint64_t budget) {
    if (lostAtStart_) return Outcome::Lost;
    // Many short runs, the first in the order of the weights, each later one
    // in an order mostly left to chance: an early wrong turn costs one run,
    // not the budget. A state proven lost in one run
    // stays proven for the next, so the runs add up to a proof when there is
    // no win.
    constexpr std::uint64_t kRunNodes = 1000;
    Outcome outcome = Outcome::OutOfBudget;
    for (; outcome == Outcome::OutOfBudget && nodes_ < budget && !cancelled_; ++run_) {
        noise_ = run_ == 0 ? 0 : kRestartNoise;
        budget_ = std::min(budget, nodes_ + kRunNodes);
        outcome = Search(nullptr, 0, -1);
    }
    return outcome;
}

SolveResult DealSolver::Result(Outcome outcome) const {
    SolveResult result;
    switch (outcome) {
    case Outcome::Won:
        result.verdict = SolveVerdict::Winnable;
        result.pairs.assign(path_, path_ + depth_);
        break;
    case Outcome::Lost:
        result.verdict = SolveVerdict::Unwinnable;
        break;
    case Outcome::OutOfBudget:
        result.verdict = SolveVerdict::Unknown;
        break;
    }
    result.nodes = nodes_;
    return result;
}

// `resting` holds pairs already shown to lose when taken at an earlier
// position on this line; `movedClass` is the class of the pair just taken.
DealSolver::Outcome DealSolver::Search(const std::uint16_t* resting, int restingCount, int movedClass) {
    if (tilesLeft_ == 0) return Outcome::Won;
    if (KnownLost()) return Outcome::Lost;
    if (!Spend()) return Outcome::OutOfBudget;

    std::uint8_t freeCount[kClassCount];
    std::uint8_t freeTiles[kClassCount][4];
    ListFree(freeCount, freeTiles);

    // Classes whose every remaining tile is free go at once, as one step.
    int forced = 0;
    for (int c = 0; c < kClassCount; ++c) {
        if (classLeft_[c] == 0 || freeCount[c] != classLeft_[c]) continue;
        for (int i = 0; i < freeCount[c]; i += 2) {
            Remove(freeTiles[c][i], freeTiles[c][i + 1]);
            ++forced;
        }
    }
    std::uint16_t childResting[kMaxResting];
    if (forced > 0) {
        // The pair that came before still has to be checked, past these removals.
        const Outcome outcome = Search(childResting, StillResting(resting, restingCount, childResting), movedClass);
        if (outcome == Outcome::Won) return outcome;
        for (int i = 0; i < forced; ++i) Restore(path_[depth_ - 1].first, path_[depth_ - 1].second);
        if (outcome == Outcome::Lost) RememberLost();
        return outcome;
    }

    if (movedClass >= 0 && classLeft_[movedClass] == 2 && Tangled(movedClass, freeCount, freeTiles)) {
        RememberLost();
        return Outcome::Lost;
    }

    // Only classes with four tiles left, two or three of them free, remain to choose from.
    Move moves[kClassCount * 3];
    int moveCount = 0;
    for (int c = 0; c < kClassCount; ++c) {
        for (int i = 0; i < freeCount[c]; ++i) {
            for (int j = i + 1; j < freeCount[c]; ++j) {
                const int a = freeTiles[c][i];
                const int b = freeTiles[c][j];
                if (std::find(resting, resting + restingCount, PairKey(a, b)) != resting + restingCount) continue;
                Move move{static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), MoveWeight(a, b)};
                int at = moveCount++;
                for (; at > 0 && moves[at - 1].weight < move.weight; --at) moves[at] = moves[at - 1];
                moves[at] = move;
            }
        }
    }
    std::uint16_t lostHere[kMaxResting];
    std::copy(resting, resting + restingCount, lostHere);
    int lostCount = restingCount;
    for (int m = 0; m < moveCount; ++m) {
        Remove(moves[m].a, moves[m].b);
        const Outcome outcome =
            Search(childResting, StillResting(lostHere, lostCount, childResting), geometry_.positions[moves[m].a].matchClass);
        if (outcome == Outcome::Won) return outcome;
        Restore(moves[m].a, moves[m].b);
        if (outcome == Outcome::OutOfBudget) return outcome;
        lostHere[lostCount++] = PairKey(moves[m].a, moves[m].b);
    }
    RememberLost();
    return Outcome::Lost;
}

// Counts one position or settling against the budget; false once the budget
// is spent or the search has been called off. A call-off spends what is left
// of the budget, so that every later check stops too.
bool DealSolver::Spend() {
    if (nodes_ >= budget_) return false;
    if (nodes_ % kCancelCheck == 0 && cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) {
        cancelled_ = true;
        budget_ = nodes_;
        return false;
    }
    ++nodes_;
    return true;
}

// The free tiles of every class, class by class.
void DealSolver::ListFree(std::uint8_t* freeCount, std::uint8_t (*freeTiles)[4]) const {
    for (int c = 0; c < kClassCount; ++c) {
        freeCount[c] = 0;
        if (classLeft_[c] == 0) continue;
        for (const int p : geometry_.classTiles[c]) {
            if (present_[p] && Free(p)) freeTiles[c][freeCount[c]++] = static_cast<std::uint8_t>(p);
        }
    }
}

// Keeps the resting pairs whose tiles are both still on the table.
int DealSolver::StillResting(const std::uint16_t* resting, int count, std::uint16_t* kept) const {
    int keptCount = 0;
    for (int i = 0; i < count; ++i) {
        if (present_[resting[i] >> 8] && present_[resting[i] & 0xFF]) kept[keptCount++] = resting[i];
    }
    return keptCount;
}

bool DealSolver::Free(int p) const { return FreeIn(present_, p); }

// The game's rule, on this solver's own records: nothing on top, and one side
// open; a side with two neighbours opens as soon as either has gone.
bool DealSolver::FreeIn(const std::uint8_t* present, int p) const {
    const Position& position = geometry_.positions[p];
    if (position.top != 0 && present[position.top]) return false;
    return !(SideBlockedIn(present, position.left, position.leftCount) &&
             SideBlockedIn(present, position.right, position.rightCount));
}

bool DealSolver::SideBlockedIn(const std::uint8_t* present, const std::int16_t* side, int count) {
    for (int i = 0; i < count; ++i) {
        if (!present[side[i]]) return false;
    }
    return count > 0;
}

// A tile on top of another keeps every tile between them covered, so for two
// present tiles "lies on" needs no check of the tiles between.
bool DealSolver::Above(int upper, int lower) const {
    return (geometry_.under[upper][(lower - 1) >> 6] >> ((lower - 1) & 63)) & 1;
}

// Bound pairs must all be able to leave in the game where every other tile
// leaves alone as soon as it is free. There a bound pair never loses by
// leaving at once, so letting everything leave that can decides that game.
// Classes of four beside the class just played are then bound each way they
// can split; if no split lets everything bound leave, the position is lost.
// Only a move that binds a class can tie a new knot (any other move leaves
// fewer tiles in the way), so this runs after those moves alone.
bool DealSolver::Tangled(int movedClass, const std::uint8_t* freeCount, const std::uint8_t (*freeTiles)[4]) const {
    std::int16_t partner[kPositionCount + 1] = {};
    int bound = 0;
    std::uint64_t beside = 0;
    for (int c = 0; c < kClassCount; ++c) {
        if (classLeft_[c] == 0) continue;
        int tiles[4];
        int n = 0;
        for (const int p : geometry_.classTiles[c]) {
            if (present_[p]) tiles[n++] = p;
        }
        if (n == 2) {
            Bind(partner, tiles[0], tiles[1]);
            bound += 2;
        } else if (std::popcount(geometry_.playableSplits[c]) == 1) {
            const int* split = kSplits[std::countr_zero(geometry_.playableSplits[c])];
            Bind(partner, tiles[split[0]], tiles[split[1]]);
            Bind(partner, tiles[split[2]], tiles[split[3]]);
            bound += 4;
        } else if (movedClass >= 0 && NextTo(movedClass, c)) {
            beside |= std::uint64_t{1} << c;
        }
    }
    if (bound == 0) return false;
    std::uint8_t work[kPositionCount + 1];
    std::copy(std::begin(present_), std::end(present_), work);
    // A tile that is not free now can only come free when one that holds it
    // in leaves, and Settle looks at it again then.
    std::int16_t all[kPositionCount];
    int allCount = 0;
    for (int c = 0; c < kClassCount; ++c) {
        for (int i = 0; i < freeCount[c]; ++i) all[allCount++] = freeTiles[c][i];
    }
    // On the line to here every bound pair could leave before this move
    // bound the class just played; if that class's pair can leave now, every
    // other bound pair still can too, so the settling may stop there.
    if (beside == 0) return Settle(work, partner, all, allCount, movedClass) < bound;

    // Each split below binds more than the plain game does, so a knot of the
    // plain game shows in every split as well. What all the splits share is
    // the table settled with the classes beside held in place.
    for (std::uint64_t rest = beside; rest != 0; rest &= rest - 1) {
        for (const int p : geometry_.classTiles[std::countr_zero(rest)]) partner[p] = kHeld;
    }
    const int boundGone = Settle(work, partner, all, allCount);
    std::int16_t changed[kPositionCount];
    int changedCount = 0;
    for (std::uint64_t rest = beside; rest != 0; rest &= rest - 1) {
        for (const int p : geometry_.classTiles[std::countr_zero(rest)]) {
            partner[p] = 0;
            if (work[p]) changed[changedCount++] = static_cast<std::int16_t>(p);
        }
    }
    for (std::uint64_t rest = beside; rest != 0; rest &= rest - 1) {
        const std::uint8_t* tiles = geometry_.classTiles[std::countr_zero(rest)];
        const int splits = geometry_.playableSplits[std::countr_zero(rest)];
        bool untied = false;
        for (int s = 0; s < 3 && !untied; ++s) {
            if (((splits >> s) & 1) == 0) continue;
            const int* split = kSplits[s];
            Bind(partner, tiles[split[0]], tiles[split[1]]);
            Bind(partner, tiles[split[2]], tiles[split[3]]);
            // Only the tiles that changed their part can start anything new.
            std::uint8_t trial[kPositionCount + 1];
            std::copy(std::begin(work), std::end(work), trial);
            untied = boundGone + Settle(trial, partner, changed, changedCount) == bound + 4;
        }
        for (int i = 0; i < 4; ++i) partner[tiles[i]] = 0;
        if (!untied) return true;
    }
    return false;
}

// Whether a present tile of class `d` lies right beside one of class `e` in a row.
bool DealSolver::NextTo(int e, int d) const {
    for (const int x : geometry_.classTiles[e]) {
        if (!present_[x]) continue;
        const Position& position = geometry_.positions[x];
        for (int k = 0; k < position.leftCount; ++k) {
            const int y = position.left[k];
            if (present_[y] && geometry_.positions[y].matchClass == d) return true;
        }
        for (int k = 0; k < position.rightCount; ++k) {
            const int y = position.right[k];
            if (present_[y] && geometry_.positions[y].matchClass == d) return true;
        }
    }
    return false;
}

void DealSolver::Bind(std::int16_t* partner, int a, int b) {
    partner[a] = static_cast<std::int16_t>(b);
    partner[b] = static_cast<std::int16_t>(a);
}

// Lets every tile leave that can: a free loose tile alone, a bound pair when
// both are free; held tiles stay. Returns how many bound tiles left, or, as
// soon as the bound pair of class `until` (if any) leaves, kEverything.
int DealSolver::Settle(std::uint8_t* work, const std::int16_t* partner, const std::int16_t* start, int startCount,
                       int until) const {
    std::int16_t waiting[kPositionCount * 9];
    int waitingCount = 0;
    for (int i = startCount - 1; i >= 0; --i) waiting[waitingCount++] = start[i];
    int boundGone = 0;
    while (waitingCount > 0) {
        const int p = waiting[--waitingCount];
        const int other = partner[p];
        if (!work[p] || other == kHeld || !FreeIn(work, p)) continue;
        if (other != 0) {
            if (!work[other] || !FreeIn(work, other)) continue;
            if (geometry_.positions[p].matchClass == until) return kEverything;
            work[other] = 0;
            boundGone += 2;
            waitingCount += Touched(other, waiting + waitingCount);
        }
        work[p] = 0;
        waitingCount += Touched(p, waiting + waitingCount);
    }
    return boundGone;
}

// The present tiles that stay shut in while `t` is on the table: those it
// lies on, and the rest of its row on the side it does not open onto.
int DealSolver::ShutIn(int t) const {
    int count = 0;
    for (int w = 0; w < 3; ++w) count += __builtin_popcountll(geometry_.under[t][w] & mask_[w]);
    const Position& position = geometry_.positions[t];
    const bool leftOpen = !SideBlockedIn(present_, position.left, position.leftCount);
    int next = leftOpen ? (position.rightCount ? position.right[0] : 0) : (position.leftCount ? position.left[0] : 0);
    while (next != 0 && present_[next]) {
        ++count;
        const Position& step = geometry_.positions[next];
        next = leftOpen ? (step.rightCount ? step.right[0] : 0) : (step.leftCount ? step.left[0] : 0);
    }
    return count;
}

// Pairs that shut in more tiles go first: removing them widens the choice.
int DealSolver::MoveWeight(int a, int b) {
    int weight = 4 * (ShutIn(a) + ShutIn(b));
    if (noise_ != 0) {
        noiseState_ ^= noiseState_ << 13;
        noiseState_ ^= noiseState_ >> 7;
        noiseState_ ^= noiseState_ << 17;
        weight += static_cast<int>(noiseState_ % noise_);
    }
    return weight;
}

void DealSolver::Remove(int a, int b) {
    for (const int p : {a, b}) {
        present_[p] = 0;
        mask_[(p - 1) >> 6] &= ~(std::uint64_t{1} << ((p - 1) & 63));
        hash_ ^= zobrist_[p];
    }
    classLeft_[geometry_.positions[a].matchClass] -= 2;
    tilesLeft_ -= 2;
    path_[depth_++] = {a, b};
}

void DealSolver::Restore(int a, int b) {
    for (const int p : {a, b}) {
        present_[p] = 1;
        mask_[(p - 1) >> 6] |= std::uint64_t{1} << ((p - 1) & 63);
        hash_ ^= zobrist_[p];
    }
    classLeft_[geometry_.positions[a].matchClass] += 2;
    tilesLeft_ += 2;
    --depth_;
}

// The tiles that `p`'s going may have set free: those it lay on and its neighbours.
int DealSolver::Touched(int p, std::int16_t* out) const {
    int count = 0;
    for (const int d : geometry_.below[p]) {
        if (d != 0) out[count++] = static_cast<std::int16_t>(d);
    }
    const Position& position = geometry_.positions[p];
    for (int k = 0; k < position.leftCount; ++k) out[count++] = position.left[k];
    for (int k = 0; k < position.rightCount; ++k) out[count++] = position.right[k];
    return count;
}

bool DealSolver::KnownLost() const {
    const std::size_t size = lost_.size();
    for (std::size_t i = 0, slot = Slot(); i < 4; ++i, slot = (slot + 1) & (size - 1)) {
        const LostEntry& entry = lost_[slot];
        if (entry.generation != generation_) return false;
        if (entry.mask == mask_) return true;
    }
    return false;
}

// A full neighbourhood gives up its first entry: forgetting a lost state only
// costs a second search of it.
void DealSolver::RememberLost() {
    const std::size_t size = lost_.size();
    std::size_t slot = Slot();
    for (std::size_t i = 0, probe = slot; i < 4; ++i, probe = (probe + 1) & (size - 1)) {
        if (lost_[probe].generation != generation_) {
            slot = probe;
            break;
        }
    }
    lost_[slot] = {mask_, generation_};
}

std::size_t DealSolver::Slot() const { return static_cast<std::size_t>(hash_) & (lost_.size() - 1); }


}  // namespace jadeleaf
