// Starting and steering games on the fixture data folder.
#pragma once

#include <memory>
#include <string>

#include "data/result_codes.h"
#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/price_table.h"
#include "support/game_fixture.h"

namespace vellmora::test {

// A new game on the fixture's map; null when newGame refused.
inline std::unique_ptr<Game> startGame(const GameFixture& fixture, int difficulty = 4,
                                       int competitors = 3) {
    auto game = std::make_unique<Game>(fixture.folder());
    NewGameSetup setup;
    setup.mapPath = fixture.mapPath();
    setup.difficulty = difficulty;
    setup.playerName = "Player";
    setup.companyName = "Player Co";
    setup.competitorCount = competitors;
    if (game->newGame(setup) != kOk) {
        return nullptr;
    }
    return game;
}

// A new game in which the player has built a medium shop on tile (3, 4) (shop 0) and a small one
// on (6, 5) (shop 1); null when any of it was refused.
inline std::unique_ptr<Game> startGameWithTwoShops(const GameFixture& fixture) {
    auto game = startGame(fixture);
    if (game == nullptr || game->buildShop(3, 4, 1) != 0 || game->buildShop(6, 5, 0) != 0 ||
        game->shopAt(6, 5, 0) != 1) {
        return nullptr;
    }
    return game;
}

// Moves cash of a firm by `amount` (negative spends) against an extraordinary account.
inline void moveCash(Firm& firm, Money amount) {
    PostingTemplate row{};
    row[static_cast<std::size_t>(columnOf(1101))] = amount;
    row[static_cast<std::size_t>(columnOf(5599))] = -amount;
    (void)firm.finance().postTemplate(row, firm.calendar().dateCode(), 1.0);
}

// Leaves the firm with `cash` in hand.
inline void setCash(Firm& firm, Money cash) {
    moveCash(firm, cash - firm.cash());
}

}  // namespace vellmora::test
