// The automatic player's moves for a batch: the move search and the pair removal, nothing else.
#include "analysis/QuickAutoPlay.h"

#include "model/Deck.h"
#include "model/MoveRules.h"

namespace jadeleaf {

// The game loop adds only pauses, texts and the sure-bet hint to this: a
// known move stays valid until its pair is taken, so each move is the move
// search's answer on the table the last one left.
int QuickAutoPlay(Game& game, std::uint32_t seed, std::vector<std::pair<int, int>>& pairs) {
    pairs.clear();
    DealTable(game.table, game.random, seed);
    game.table.score = 0;
    while (game.table.tilesLeft >= 2 && FindMove(game.table) != 0) {
        const int first = game.table.knownMove[0];
        const int second = game.table.knownMove[1];
        pairs.emplace_back(first, second);
        game.RemovePair(first, second);
    }
    return game.table.score;
}

}  // namespace jadeleaf
