#include "tools/sim/sim_runner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>

#include "data/clock.h"
#include "data/result_codes.h"
#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_history.h"
#include "game/game.h"
#include "game/random.h"
#include "game/turn_flags.h"
#include "tools/sim/greedy_player.h"

namespace vellmora::sim {

namespace {

constexpr int kSlots = 4;

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void logYear(const Game& game, std::ostream& log) {
    log << "date=" << game.calendar()->dateCode();
    for (int slot = 0; slot < kSlots; ++slot) {
        const Firm* firm = game.firm(slot);
        if (firm == nullptr) {
            continue;
        }
        log << " firm" << slot << "[cash=" << firm->cash() << " shops=" << firm->shopCount()
            << " customers=" << firm->customers() << " withdrawn=" << (firm->withdrawn() ? 1 : 0)
            << "]";
    }
    log << "\n";
}

// The largest cash figure of any firm over the whole game, also for a resumed one: the opening cash
// (the founding capital), every month end kept in the firms' histories, and the cash now.
Money largestCash(const Game& game) {
    Money largest = 0;
    const auto take = [&largest](Money cash) {
        largest = std::max(largest, cash < 0 ? -cash : cash);
    };
    for (int slot = 0; slot < kSlots; ++slot) {
        if (const Firm* firm = game.firm(slot); firm != nullptr) {
            take(firm->balance(account::kCapital));
            for (const FirmHistoryEntry& entry : firm->history().entries()) {
                take(entry.cash);
            }
            take(firm->cash());
        }
    }
    return largest;
}

// A new game from the setup, or the resumed game file.
bool startGame(const GameSetup& setup, Game& game, std::string& error) {
    if (!setup.loadPath.empty()) {
        if (game.loadGame(setup.loadPath) != kOk || game.player() == nullptr) {
            error = "cannot resume '" + setup.loadPath + "': " + game.fileError();
            return false;
        }
        return true;
    }
    NewGameSetup newGame;
    newGame.mapPath = setup.mapPath;
    newGame.difficulty = setup.difficulty;
    newGame.playerName = "sim";
    newGame.companyName = "sim";
    newGame.competitorCount = setup.competitors;
    if (game.newGame(newGame) != kOk || game.player() == nullptr) {
        const std::string why = game.loadErrorText();
        error = "cannot start a game from data folder '" + setup.dataFolder + "' with map '" +
                setup.mapPath + "'" + (why.empty() ? std::string() : ": " + why);
        return false;
    }
    return true;
}

}  // namespace

bool runGame(const GameSetup& setup, std::ostream& log, GameResult& result, std::string& error) {
    const auto started = std::chrono::steady_clock::now();
    const FixedClock clock(setup.seed, dateTimeOf(setup.seed, TimeZone::Utc));
    const ScopedClock useClock(clock);

    Game game(setup.dataFolder);
    // Wins go into the score folder asked for, never into the program folder's own.
    game.setScoreFolder(setup.scoresFolder);
    if (!startGame(setup, game, error)) {
        return false;
    }
    std::unique_ptr<GreedyPlayer> greedy;
    if (setup.player == PlayerKind::Greedy) {
        // The player's planner reseeds the generator; a resumed game keeps the saved sequence.
        const std::uint32_t random = rng::state();
        greedy = std::make_unique<GreedyPlayer>(game);
        if (!setup.loadPath.empty()) {
            rng::setState(random);
        }
    }

    result = GameResult();
    result.map = game.mapName();
    result.seed = setup.seed;
    result.difficulty = game.player()->difficulty();
    result.competitors = game.competitorCount();
    result.player = setup.player;
    result.outcome = "ongoing";
    const ScoreListStatus& scores = game.scoreListStatus();
    if (scores.state == ScoreListState::Unreadable) {
        result.scoreWarning = "score file '" + scores.path + "' cannot be read (" + scores.reason +
                              "); wins of this game are not recorded";
    } else if (scores.state == ScoreListState::Refused && !scores.path.empty()) {
        result.scoreWarning = "score file '" + scores.path +
                              "' is not a valid score file; wins of this game are not recorded";
    }
    if (game.finished()) {
        result.outcome = game.activeCompetitors() == 0 ? "victory" : "bankrupt";
    }
    for (int month = 0; month < setup.months && !game.finished(); ++month) {
        if (greedy != nullptr) {
            greedy->play();
        }
        const TurnFlagSet flags = game.endTurn();
        ++result.monthsPlayed;
        if (game.calendar()->month() == 1) {
            logYear(game, log);
        }
        if ((flags & TurnFlags::Bankrupt) != 0) {
            result.outcome = "bankrupt";
            break;
        }
        if ((flags & TurnFlags::Victory) != 0) {
            result.outcome = "victory";
            break;
        }
    }
    result.endDate = game.calendar()->dateCode();
    result.maxAbsCash = largestCash(game);
    if (!setup.savePath.empty() && game.saveGame(setup.savePath) != kOk) {
        error = "cannot save the game to '" + setup.savePath + "': " + game.fileError();
        return false;
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        if (const Firm* firm = game.firm(slot); firm != nullptr) {
            result.firms.push_back(
                {slot, firm->cash(), firm->shopCount(), firm->withdrawn(), firm->withdrawnDate()});
        }
    }
    result.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - started)
                           .count();
    return true;
}

std::string gameJson(const GameResult& r) {
    std::ostringstream out;
    out << "{\"map\": " << jsonString(r.map) << ", \"seed\": " << r.seed
        << ", \"difficulty\": " << r.difficulty << ", \"competitors\": " << r.competitors
        << ", \"player\": \"" << playerName(r.player) << "\", \"months_played\": " << r.monthsPlayed
        << ", \"outcome\": \"" << r.outcome << "\", \"end_date\": " << r.endDate
        << ", \"firms\": [";
    for (std::size_t i = 0; i < r.firms.size(); ++i) {
        const FirmResult& f = r.firms[i];
        out << (i == 0 ? "" : ", ") << "{\"slot\": " << f.slot << ", \"cash\": " << f.cash
            << ", \"shops\": " << f.shops << ", \"withdrawn\": " << (f.withdrawn ? "true" : "false")
            << ", \"withdrawn_date\": ";
        if (f.withdrawnDate > 0) {
            out << f.withdrawnDate;
        } else {
            out << "null";
        }
        out << "}";
    }
    out << "], \"max_abs_cash\": " << r.maxAbsCash << ", \"elapsed_ms\": " << r.elapsedMs << "}";
    return out.str();
}

std::string summaryJson(const std::vector<GameResult>& results, double turnsPerSecond) {
    int victories = 0;
    int bankruptcies = 0;
    int ongoing = 0;
    std::vector<int> endDates;
    for (const GameResult& r : results) {
        victories += r.outcome == "victory" ? 1 : 0;
        bankruptcies += r.outcome == "bankrupt" ? 1 : 0;
        ongoing += r.outcome == "ongoing" ? 1 : 0;
        endDates.push_back(r.endDate);
    }
    std::sort(endDates.begin(), endDates.end());
    // The lower middle for an even count keeps the median a real date code.
    const int median = endDates.empty() ? 0 : endDates[(endDates.size() - 1) / 2];
    char rate[64];
    std::snprintf(rate, sizeof rate, "%.1f", turnsPerSecond);
    std::ostringstream out;
    out << "{\"games\": " << results.size() << ", \"victory\": " << victories
        << ", \"bankrupt\": " << bankruptcies << ", \"ongoing\": " << ongoing
        << ", \"median_end_date\": " << median << ", \"turns_per_second\": " << rate << "}";
    return out.str();
}

}  // namespace vellmora::sim
