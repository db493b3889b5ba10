// The deck in its fixed order, the shuffle that deals it, and deal numbers.
#include "model/Deck.h"

#include "model/TableLayout.h"

namespace jadeleaf {

namespace {

// Four rounds of faces 1-34, each followed by one season and one flower.
struct OrderedDeck {
    int faces[kPositionCount];
    constexpr OrderedDeck() : faces() {
        int n = 0;
        for (int i = 1; i <= 4; ++i) {
            for (int face = 1; face <= kLastPlainFace; ++face) faces[n++] = face;
            faces[n++] = kLastPlainFace + i;
            faces[n++] = kLastSeason + i;
        }
    }
};

constexpr OrderedDeck kOrderedDeck;

}  // namespace

bool ShuffleDeck(GameTable& table, RandomSource& random) {
    int deck[kPositionCount];
    for (int i = 0; i < kPositionCount; ++i) deck[i] = kOrderedDeck.faces[i];
    table.tilesLeft = 0;
    int n = kPositionCount;
    do {
        const int k = random.Next() % n;
        --n;
        table.deal[table.tilesLeft++] = deck[k];
        deck[k] = deck[n];  // the last face not yet dealt fills the hole
    } while (n > 0);
    return true;
}

bool DealTable(GameTable& table, RandomSource& random, std::uint32_t seed) {
    ClearTable(table);
    random.Seed(seed);
    const bool dealt = ShuffleDeck(table, random);
    if (dealt) BuildLayout(table);
    return dealt;
}

GameTable DealtTable(std::uint32_t seed) {
    GameTable table;
    ResetGameTable(table);
    RandomSource random;
    DealTable(table, random, seed);
    return table;
}

bool ParseDealNumber(std::string_view text, std::uint32_t& seed) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace jadeleaf
