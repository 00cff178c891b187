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
