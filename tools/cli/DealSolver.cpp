// The exact search for a winning order: forced removals, dead classes, lost states remembered.
#include "tools/cli/DealSolver.h"

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

std::uint16_t PairKey(int a, int b) { return static_cast<std::uint16_t>(a << 8 | b); }

struct Move {
    std::int16_t a;
    std::int16_t b;
    std::int32_t weight;
};

}  // namespace

DealSolver::DealSolver(std::size_t tableEntries) : lost_(std::bit_ceil(std::max<std::size_t>(tableEntries, 4))) {
    std::uint64_t state = 0x6A09E667F3BCC908ull;
    for (std::uint64_t& key : zobrist_) key = SplitMix(state);
}

void DealSolver::Prepare(const GameTable& table) {
    // The links as the deal laid them out: a table in play has released some.
    GameTable& dealt = layout_;
    ClearTable(dealt);
    std::copy(std::begin(table.deal), std::end(table.deal), std::begin(dealt.deal));
    BuildLayout(dealt);
    int filled[kClassCount] = {};
    for (int p = 1; p <= kPositionCount; ++p) {
        const TileRecord& tile = dealt.tiles[p];
        Position& position = positions_[p];
        position = {};
        for (const int l : tile.left) {
            if (l != 0 && tile.leftBlocked) position.left[position.leftCount++] = static_cast<std::int16_t>(l);
        }
        for (const int r : tile.right) {
            if (r != 0 && tile.rightBlocked) position.right[position.rightCount++] = static_cast<std::int16_t>(r);
        }
        const int matchClass = MatchClassOf(tile.face);
        position.matchClass = static_cast<std::uint8_t>(matchClass);
        classTiles_[matchClass][filled[matchClass]++ & 3] = static_cast<std::uint8_t>(p);
    }
    for (int p = 1; p <= kPositionCount; ++p) {
        for (int i = 0; i < 4; ++i) {
            const int d = dealt.tiles[p].below[i];
            below_[p][i] = static_cast<std::int16_t>(d);
            if (d != 0) positions_[d].top = static_cast<std::int16_t>(p);
        }
    }
    // A tile lies on the tiles below it and on everything they lie on; the
    // layers are numbered upwards, so each layer's sets build on the last.
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        for (int p = 1; p <= kPositionCount; ++p) {
            const TileRecord& tile = dealt.tiles[p];
            if (tile.layer != layer) continue;
            under_[p] = {};
            for (const int d : tile.below) {
                if (d == 0) continue;
                for (int w = 0; w < 3; ++w) under_[p][w] |= under_[d][w];
                under_[p][(d - 1) >> 6] |= std::uint64_t{1} << ((d - 1) & 63);
            }
        }
    }
}

SolveResult DealSolver::Solve(const GameTable& table, std::uint64_t budget) {
    Prepare(table);
    Start(table, kAllClasses);
    // Most deals are decided within the first few thousand positions. For the
    // rest, a knot of a few classes that can never be untied is looked for
    // before the long search.
    constexpr std::uint64_t kFirstStint = 20'000;
    Outcome outcome = RunFor(std::min(budget, kFirstStint));
    if (outcome == Outcome::OutOfBudget && nodes_ < budget && LostWithFewClasses(table, budget)) {
        outcome = Outcome::Lost;
    }
    if (outcome == Outcome::OutOfBudget) outcome = RunFor(budget);
    return Result(outcome);
}

SolveResult DealSolver::SolveClasses(const GameTable& table, std::uint64_t classes, std::uint64_t budget) {
    Prepare(table);
    Start(table, classes);
    return Result(RunFor(budget));
}

// A knot of one, two or three classes: the game in which only those must be
// paired is lost. Each such game is small, so all of them are tried.
bool DealSolver::LostWithFewClasses(const GameTable& table, std::uint64_t budget) {
    if (!relaxed_) relaxed_ = std::make_unique<DealSolver>(std::size_t{1} << 12);
    DealSolver& relaxed = *relaxed_;
    relaxed.Prepare(table);
    constexpr std::uint64_t kKnotBudget = 2'000;
    const auto lost = [&](std::uint64_t classes) {
        relaxed.Start(table, classes);
        const Outcome outcome = relaxed.RunFor(kKnotBudget);
        nodes_ += relaxed.nodes_;
        return outcome == Outcome::Lost;
    };
    for (int a = 0; a < kClassCount; ++a) {
        if (lost(std::uint64_t{1} << a)) return true;
    }
    for (int a = 0; a < kClassCount; ++a) {
        for (int b = a + 1; b < kClassCount; ++b) {
            if (lost(std::uint64_t{1} << a | std::uint64_t{1} << b)) return true;
        }
    }
    for (int a = 0; a < kClassCount && nodes_ < budget; ++a) {
        for (int b = a + 1; b < kClassCount; ++b) {
            for (int c = b + 1; c < kClassCount; ++c) {
                if (lost(std::uint64_t{1} << a | std::uint64_t{1} << b | std::uint64_t{1} << c)) return true;
            }
        }
    }
    return false;
}

void DealSolver::Start(const GameTable& table, std::uint64_t classes) {
    if (++generation_ == 0) {
        std::fill(lost_.begin(), lost_.end(), LostEntry{});
        generation_ = 1;
    }
    mask_ = {};
    hash_ = 0;
    tilesLeft_ = 0;
    jokerCount_ = 0;
    droppedCount_ = 0;
    std::fill(std::begin(classLeft_), std::end(classLeft_), std::uint8_t{0});
    for (int p = 1; p <= kPositionCount; ++p) {
        present_[p] = table.tiles[p].present == 1 ? 1 : 0;
        if (!present_[p]) continue;
        mask_[(p - 1) >> 6] |= std::uint64_t{1} << ((p - 1) & 63);
        hash_ ^= zobrist_[p];
        const int matchClass = positions_[p].matchClass;
        if ((classes >> matchClass) & 1) {
            ++classLeft_[matchClass];
            ++tilesLeft_;
        } else {
            jokers_[jokerCount_++] = static_cast<std::int16_t>(p);
        }
    }
    DropFreeJokers();
    depth_ = 0;
    nodes_ = 0;
    run_ = 0;
    noiseState_ = 0x9E3779B97F4A7C15ull;
}

DealSolver::Outcome DealSolver::RunFor(std::uint64_t budget) {
    // Many short runs, each after the first with its own tie-breaks: an early
    // wrong turn costs one run, not the budget. A state proven lost in one run
    // stays proven for the next, so the runs add up to a proof when there is
    // no win.
    constexpr std::uint64_t kRunNodes = 1000;
    Outcome outcome = Outcome::OutOfBudget;
    for (; outcome == Outcome::OutOfBudget && nodes_ < budget; ++run_) {
        noise_ = run_ == 0 ? 0 : 128;
        budget_ = std::min(budget, nodes_ + kRunNodes);
        outcome = Search(nullptr, 0);
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

// Keeps the resting pairs whose tiles are both still on the table.
int DealSolver::StillResting(const std::uint16_t* resting, int count, std::uint16_t* kept) const {
    int keptCount = 0;
    for (int i = 0; i < count; ++i) {
        if (present_[resting[i] >> 8] && present_[resting[i] & 0xFF]) kept[keptCount++] = resting[i];
    }
    return keptCount;
}

// `resting` holds pairs already shown to lose when taken at an earlier
// position on this line. Taking one of them later, after other pairs, reaches
// a position that the losing position also reaches by those same pairs (a
// free tile stays free), so it loses too and is not tried again.
DealSolver::Outcome DealSolver::Search(const std::uint16_t* resting, int restingCount) {
    if (tilesLeft_ == 0) return Outcome::Won;
    if (KnownLost()) return Outcome::Lost;
    if (nodes_ >= budget_) return Outcome::OutOfBudget;
    ++nodes_;

    std::uint8_t freeCount[kClassCount];
    std::uint8_t freeTiles[kClassCount][4];
    for (int c = 0; c < kClassCount; ++c) {
        freeCount[c] = 0;
        if (classLeft_[c] == 0) continue;
        for (const int p : classTiles_[c]) {
            if (present_[p] && Free(p)) freeTiles[c][freeCount[c]++] = static_cast<std::uint8_t>(p);
        }
    }

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
        const int dropped = DropFreeJokers();
        const Outcome outcome = Search(childResting, StillResting(resting, restingCount, childResting));
        if (outcome == Outcome::Won) return outcome;
        RestoreJokers(dropped);
        for (int i = 0; i < forced; ++i) Restore(path_[depth_ - 1].first, path_[depth_ - 1].second);
        if (outcome == Outcome::Lost) RememberLost();
        return outcome;
    }

    if (Dead()) {
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
        const int dropped = DropFreeJokers();
        const Outcome outcome = Search(childResting, StillResting(lostHere, lostCount, childResting));
        if (outcome == Outcome::Won) return outcome;
        RestoreJokers(dropped);
        Restore(moves[m].a, moves[m].b);
        if (outcome == Outcome::OutOfBudget) return outcome;
        lostHere[lostCount++] = PairKey(moves[m].a, moves[m].b);
    }
    RememberLost();
    return Outcome::Lost;
}

bool DealSolver::SideBlocked(const std::int16_t* side, int count) const {
    for (int i = 0; i < count; ++i) {
        if (!present_[side[i]]) return false;
    }
    return count > 0;
}

// The game's rule, on this solver's own records: nothing on top, and one side
// open; a side with two neighbours opens as soon as either has gone.
bool DealSolver::Free(int p) const {
    const Position& position = positions_[p];
    if (position.top != 0 && present_[position.top]) return false;
    return !(SideBlocked(position.left, position.leftCount) && SideBlocked(position.right, position.rightCount));
}

// A tile on top of another keeps every tile between them covered, so for two
// present tiles "lies on" needs no check of the tiles between.
bool DealSolver::Above(int upper, int lower) const {
    return (under_[upper][(lower - 1) >> 6] >> ((lower - 1) & 63)) & 1;
}

// The next present tile along a row from `p`, when that side has a single
// neighbour; 0 at the end of the row's run or where two rows meet.
int DealSolver::RowStep(int p, bool rightwards) const {
    const Position& position = positions_[p];
    const int count = rightwards ? position.rightCount : position.leftCount;
    const int next = rightwards ? position.right[0] : position.left[0];
    return count == 1 && present_[next] ? next : 0;
}

bool DealSolver::Dead() const {
    // Some tiles can only ever go together: a class's last two, and the two
    // pairs of a class of four that splits into pairs one way only. The order
    // in which such pairs can go is forced in places: a pair that lies on
    // another goes first, and a pair in one run of a row needs the run's outer
    // parts gone before it and keeps the tiles between shut in until it has
    // gone. A pair that must go before itself never goes. At most 64 pairs
    // are followed; leaving one out only loses a chance to see a dead end.
    constexpr int kMaxNodes = 64;
    std::int8_t nodeOf[kPositionCount + 1];
    std::fill(std::begin(nodeOf), std::end(nodeOf), std::int8_t{-1});
    std::uint64_t after[kMaxNodes] = {};
    Mask tilesOf[kMaxNodes];
    Mask underOf[kMaxNodes];
    int pairOf[kMaxNodes][2];
    int count = 0;
    const auto addPair = [&](int x, int y) {
        nodeOf[x] = nodeOf[y] = static_cast<std::int8_t>(count);
        pairOf[count][0] = x;
        pairOf[count][1] = y;
        for (int w = 0; w < 3; ++w) {
            tilesOf[count][w] = 0;
            underOf[count][w] = under_[x][w] | under_[y][w];
        }
        for (const int p : {x, y}) tilesOf[count][(p - 1) >> 6] |= std::uint64_t{1} << ((p - 1) & 63);
        ++count;
    };
    for (int c = 0; c < kClassCount; ++c) {
        if (classLeft_[c] < 2) continue;
        int tiles[4];
        int n = 0;
        for (const int p : classTiles_[c]) {
            if (present_[p]) tiles[n++] = p;
        }
        const auto stacked = [&](int i, int j) { return Above(tiles[i], tiles[j]) || Above(tiles[j], tiles[i]); };
        if (n == 2) {
            // The lower of two stacked tiles never comes free while its only partner lies on it.
            if (stacked(0, 1)) return true;
            if (count < kMaxNodes) addPair(tiles[0], tiles[1]);
            continue;
        }
        // Four tiles split into two pairs in three ways; a split with a
        // stacked pair can never be played. With no split left the class is
        // dead; with one left, its two pairs go together like a class of two.
        static constexpr int kSplits[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};
        int playable = 0;
        int only = 0;
        for (int s = 0; s < 3; ++s) {
            const int* split = kSplits[s];
            if (stacked(split[0], split[1]) || stacked(split[2], split[3])) continue;
            ++playable;
            only = s;
        }
        if (playable == 0) return true;
        if (playable == 1 && count + 2 <= kMaxNodes) {
            const int* split = kSplits[only];
            addPair(tiles[split[0]], tiles[split[1]]);
            addPair(tiles[split[2]], tiles[split[3]]);
        }
    }
    Mask pairTiles = {};
    for (int a = 0; a < count; ++a) {
        for (int w = 0; w < 3; ++w) pairTiles[w] |= tilesOf[a][w];
    }
    for (int a = 0; a < count; ++a) {
        for (int w = 0; w < 3; ++w) {
            for (std::uint64_t lower = underOf[a][w] & pairTiles[w]; lower != 0; lower &= lower - 1) {
                const int b = nodeOf[w * 64 + std::countr_zero(lower) + 1];
                if (b != a) after[a] |= std::uint64_t{1} << b;
            }
        }
    }
    for (int node = 0; node < count; ++node) {
        int x = pairOf[node][0];
        int y = pairOf[node][1];
        // x left of y in one run of a row?
        int walk = RowStep(x, true);
        while (walk != 0 && walk != y) walk = RowStep(walk, true);
        if (walk == 0) {
            std::swap(x, y);
            walk = RowStep(x, true);
            while (walk != 0 && walk != y) walk = RowStep(walk, true);
            if (walk == 0) continue;
        }
        // The tiles between stay shut in only if no second neighbour can open them.
        bool singleLinks = true;
        for (int t = RowStep(x, true); t != y; t = RowStep(t, true)) {
            singleLinks &= positions_[t].leftCount == 1 && positions_[t].rightCount == 1;
        }
        // Otherwise a tile between may go first and open x or y inwards.
        if (!singleLinks) continue;
        for (int t = RowStep(x, true); t != y; t = RowStep(t, true)) {
            if (Above(t, x) || Above(t, y)) return true;
            const int other = nodeOf[t];
            if (other >= 0) after[node] |= std::uint64_t{1} << other;
        }
        // x must open to the left and y to the right (when its left is held by
        // one neighbour only); a tile on the way must open further out in turn
        // while the side towards the pair has one neighbour.
        for (const bool rightwards : {false, true}) {
            const int end = rightwards ? y : x;
            if (rightwards && positions_[y].leftCount != 1) continue;
            for (int t = RowStep(end, rightwards); t != 0;) {
                if (Above(x, t) || Above(y, t)) return true;
                const int other = nodeOf[t];
                if (other >= 0) after[other] |= std::uint64_t{1} << node;
                const Position& step = positions_[t];
                if ((rightwards ? step.leftCount : step.rightCount) != 1) break;
                t = RowStep(t, rightwards);
            }
        }
    }
    for (int node = 0; node < count; ++node) {
        if ((after[node] >> node) & 1) return true;
    }
    // Peel off the classes that nothing left must precede; what stays holds a cycle.
    std::uint64_t remaining = count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    for (bool peeled = true; peeled && remaining != 0;) {
        peeled = false;
        std::uint64_t hasBefore = 0;
        for (int a = 0; a < count; ++a) {
            if ((remaining >> a) & 1) hasBefore |= after[a];
        }
        const std::uint64_t free = remaining & ~hasBefore;
        if (free != 0) {
            remaining &= ~free;
            peeled = true;
        }
    }
    return remaining != 0;
}

// The present tiles that stay shut in while `t` is on the table: those it
// lies on, and the rest of its row on the side it does not open onto.
int DealSolver::ShutIn(int t) const {
    int count = 0;
    for (int w = 0; w < 3; ++w) count += __builtin_popcountll(under_[t][w] & mask_[w]);
    const Position& position = positions_[t];
    const bool leftOpen = !SideBlocked(position.left, position.leftCount);
    int next = leftOpen ? (position.rightCount ? position.right[0] : 0) : (position.leftCount ? position.left[0] : 0);
    while (next != 0 && present_[next]) {
        ++count;
        const Position& step = positions_[next];
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
    classLeft_[positions_[a].matchClass] -= 2;
    tilesLeft_ -= 2;
    path_[depth_++] = {a, b};
}

void DealSolver::Restore(int a, int b) {
    for (const int p : {a, b}) {
        present_[p] = 1;
        mask_[(p - 1) >> 6] |= std::uint64_t{1} << ((p - 1) & 63);
        hash_ ^= zobrist_[p];
    }
    classLeft_[positions_[a].matchClass] += 2;
    tilesLeft_ += 2;
    --depth_;
}

// A tile that need not be paired leaves as soon as it is free: its going
// can only free others.
int DealSolver::DropFreeJokers() {
    int dropped = 0;
    for (bool again = jokerCount_ > 0; again;) {
        again = false;
        for (int i = 0; i < jokerCount_; ++i) {
            const int p = jokers_[i];
            if (!present_[p] || !Free(p)) continue;
            present_[p] = 0;
            mask_[(p - 1) >> 6] &= ~(std::uint64_t{1} << ((p - 1) & 63));
            hash_ ^= zobrist_[p];
            droppedJokers_[droppedCount_++] = static_cast<std::int16_t>(p);
            ++dropped;
            again = true;
        }
    }
    return dropped;
}

void DealSolver::RestoreJokers(int count) {
    for (; count > 0; --count) {
        const int p = droppedJokers_[--droppedCount_];
        present_[p] = 1;
        mask_[(p - 1) >> 6] |= std::uint64_t{1} << ((p - 1) & 63);
        hash_ ^= zobrist_[p];
    }
}

std::size_t DealSolver::Slot() const { return static_cast<std::size_t>(hash_) & (lost_.size() - 1); }

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

}  // namespace jadeleaf
