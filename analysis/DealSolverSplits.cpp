// The search over the ways each class splits into pairs, for the deals the search over orders leaves open.
#include "analysis/DealSolver.h"

#include <algorithm>
#include <array>
#include <bit>

namespace jadeleaf {

namespace {

// For each of the three splits, the partner of each of a class's four tiles.
constexpr std::uint8_t kPartner[3][4] = {{1, 0, 3, 2}, {2, 3, 0, 1}, {3, 2, 1, 0}};

// For each set of allowed splits, the tiles each tile may still pair with (a 4-bit mask).
constexpr std::array<std::array<std::uint8_t, 4>, 8> MakeCandidates() {
    std::array<std::array<std::uint8_t, 4>, 8> table{};
    for (int allowed = 0; allowed < 8; ++allowed) {
        for (int s = 0; s < 3; ++s) {
            if (((allowed >> s) & 1) == 0) continue;
            for (int i = 0; i < 4; ++i) table[allowed][i] |= static_cast<std::uint8_t>(1u << kPartner[s][i]);
        }
    }
    return table;
}

constexpr auto kCandidates = MakeCandidates();

}  // namespace

// A class of four may split any playable way; a class down to two is bound
// to the split that pairs them, and an empty class does not matter.
DealSolver::Outcome DealSolver::SearchSplits(const std::uint8_t* present, std::uint64_t budget) {
    std::copy(present, present + kPositionCount + 1, startPresent_);
    budget_ = budget;
    tilesAtStart_ = 0;
    for (int p = 1; p <= kPositionCount; ++p) {
        if (present[p]) startTiles_[tilesAtStart_++] = static_cast<std::int16_t>(p);
    }
    std::uint8_t allowed[kClassCount];
    for (int c = 0; c < kClassCount; ++c) {
        int here[4];
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            if (present[geometry_.classTiles[c][i]]) here[count++] = i;
        }
        allowed[c] = count == 4 ? geometry_.playableSplits[c] : 1;
        if (count != 2) continue;
        for (int s = 0; s < 3; ++s) {
            if (kPartner[s][here[0]] == here[1]) allowed[c] = static_cast<std::uint8_t>(1u << s);
        }
    }
    std::fill(std::begin(knots_), std::end(knots_), std::uint64_t{1});
    depth_ = 0;
    return Branch(allowed);
}

DealSolver::Outcome DealSolver::Branch(std::uint8_t* allowed) {
    if (!Narrow(allowed)) return Outcome::Lost;
    if (nodes_ >= budget_) return Outcome::OutOfBudget;
    const int c = PickClass(allowed);
    if (c < 0) {
        // Every split is fixed and lets everything leave: the order it leaves in wins.
        std::uint8_t work[kPositionCount + 1];
        std::copy(std::begin(startPresent_), std::end(startPresent_), work);
        depth_ = 0;
        Loosen(work, allowed, startTiles_, tilesAtStart_, -1, true);
        return Outcome::Won;
    }
    for (int s = 0; s < 3; ++s) {
        if (((allowed[c] >> s) & 1) == 0) continue;
        std::uint8_t child[kClassCount];
        std::copy(allowed, allowed + kClassCount, child);
        child[c] = static_cast<std::uint8_t>(1u << s);
        const Outcome outcome = Branch(child);
        if (outcome != Outcome::Lost) return outcome;
    }
    return Outcome::Lost;
}

// Rules out every split that leaves tiles behind, until none is; false when
// some class has no split left. Each class is first settled held in place;
// what its splits add is then settled from there.
bool DealSolver::Narrow(std::uint8_t* allowed) {
    std::uint8_t work[kPositionCount + 1];
    std::copy(std::begin(startPresent_), std::end(startPresent_), work);
    if (!Spend()) return true;
    if (Loosen(work, allowed, startTiles_, tilesAtStart_, -1, false) < tilesAtStart_) {
        Blame(work);
        return false;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (int c = 0; c < kClassCount; ++c) {
            if (std::popcount(allowed[c]) < 2) continue;
            if (!Spend()) return true;
            std::copy(std::begin(startPresent_), std::end(startPresent_), work);
            const int held = Loosen(work, allowed, startTiles_, tilesAtStart_, c, false);
            stuck_[c] = tilesAtStart_ - held;
            std::int16_t tiles[4];
            std::copy(std::begin(geometry_.classTiles[c]), std::end(geometry_.classTiles[c]), tiles);
            const std::uint8_t before = allowed[c];
            std::uint8_t after = 0;
            for (int s = 0; s < 3; ++s) {
                if (((before >> s) & 1) == 0) continue;
                if (!Spend()) {
                    allowed[c] = before;
                    return true;
                }
                std::uint8_t trial[kPositionCount + 1];
                std::copy(std::begin(work), std::end(work), trial);
                allowed[c] = static_cast<std::uint8_t>(1u << s);
                if (held + Loosen(trial, allowed, tiles, 4, -1, false) == tilesAtStart_) {
                    after |= allowed[c];
                } else {
                    Blame(trial);
                }
            }
            allowed[c] = after;
            if (after == 0) return false;
            changed |= after != before;
        }
    }
    return true;
}

// Lets every tile leave that can: a free tile one of whose possible partners
// is free or gone. A tile with one possible partner takes it along, and with
// `record` that pair goes on the path. `held`'s tiles stay. Returns how many
// tiles left.
int DealSolver::Loosen(std::uint8_t* work, const std::uint8_t* allowed, const std::int16_t* start, int startCount,
                       int held, bool record) {
    // Each tile leaves once and then wakes at most 8 neighbours and its 3 classmates.
    std::int16_t waiting[kPositionCount * 12];
    int waitingCount = 0;
    for (int i = startCount - 1; i >= 0; --i) waiting[waitingCount++] = start[i];
    int gone = 0;
    const auto leave = [&](int p) {
        work[p] = 0;
        ++gone;
        waitingCount += Touched(p, waiting + waitingCount);
    };
    while (waitingCount > 0) {
        const int p = waiting[--waitingCount];
        const int c = geometry_.positions[p].matchClass;
        if (!work[p] || c == held || !FreeIn(work, p)) continue;
        const std::uint8_t* tiles = geometry_.classTiles[c];
        const std::uint8_t candidates = kCandidates[allowed[c]][geometry_.indexInClass[p]];
        int with = 0;
        for (int k = 0; k < 4 && with == 0; ++k) {
            const int q = tiles[k];
            if (((candidates >> k) & 1) != 0 && (!work[q] || FreeIn(work, q))) with = q;
        }
        if (with == 0) continue;
        leave(p);
        for (int k = 0; k < 4; ++k) {
            if (work[tiles[k]]) waiting[waitingCount++] = tiles[k];
        }
        if (std::popcount(candidates) == 1 && work[with]) {
            leave(with);
            if (record) path_[depth_++] = {p, with};
        }
    }
    return gone;
}

// The free tiles that could not leave are where the knot is: their classes
// are chosen earlier from now on.
void DealSolver::Blame(const std::uint8_t* work) {
    for (int p = 1; p <= kPositionCount; ++p) {
        if (work[p] && FreeIn(work, p)) ++knots_[geometry_.positions[p].matchClass];
    }
}

// The open class with the fewest splits left for the knots it has been in;
// among equals, the one that holds the fewest tiles in place. In the second
// order, the one that holds the most tiles in place; among equals, the
// first order's choice. -1 when every class is fixed.
int DealSolver::PickClass(const std::uint8_t* allowed) const {
    int pick = -1;
    for (int c = 0; c < kClassCount; ++c) {
        const int splits = std::popcount(allowed[c]);
        if (splits < 2) continue;
        if (pick < 0) {
            pick = c;
            continue;
        }
        const std::uint64_t lhs = knots_[c] * static_cast<std::uint64_t>(std::popcount(allowed[pick]));
        const std::uint64_t rhs = knots_[pick] * static_cast<std::uint64_t>(splits);
        if (heldMostFirst_) {
            if (stuck_[c] > stuck_[pick] || (stuck_[c] == stuck_[pick] && lhs > rhs)) pick = c;
        } else if (lhs > rhs || (lhs == rhs && stuck_[c] < stuck_[pick])) {
            pick = c;
        }
    }
    return pick;
}

}  // namespace jadeleaf
