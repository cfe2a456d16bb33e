#include "BoardReader.h"
#include "board/BoardWindow.h"
#include <algorithm>
#include <tuple>
#include <utility>

namespace {

// A clock's reading and whether it runs: from the scorekeeper, or from the game's table when there is none.
std::pair<bool, TimeValue> readClock(const game::GameState& s, const Scorekeeper* keeper, int clock) {
    if (keeper != nullptr) {
        return {keeper->clockRunning(clock), keeper->peekClock(clock)};
    }
    const ClockRecord& r = s.clocks[static_cast<std::size_t>(clock)];
    return {r.running, r.countUp ? r.used : r.setTime - r.used};
}

PenaltyState readPenalty(const game::GameState& s, game::DigitGroup digits, const Scorekeeper* keeper, int clock) {
    PenaltyState p;
    p.digits = game::digitsOf(s, digits);
    const auto [running, remaining] = readClock(s, keeper, clock);
    // The engine runs every penalty clock with the game clock; a blank one shows nothing running.
    p.running = running && std::any_of(p.digits.begin(), p.digits.end(), [](int d) { return d >= 0; });
    p.remaining = remaining;
    p.light = s.penaltyLights[static_cast<std::size_t>(clock - 1)];
    if (const int player = s.penaltyPlayers[static_cast<std::size_t>(clock - 1)]; player >= 0) {
        p.player = player;
    }
    return p;
}

} // namespace

BoardState readBoardState(const BoardWindow& board, const SettingsVariables& settings) {
    return readGameState(board.model().state(), board.buzzerPlaying(), settings, &board.scorekeeper());
}

BoardState readGameState(const game::GameState& g, bool soundPlaying, const SettingsVariables& settings,
                         const Scorekeeper* keeper) {
    // Everything of the game comes from the model, never from a widget or a fill colour; only the clocks'
    // remaining times are peeked through the scorekeeper, which charges nothing for a look.
    BoardState s;
    s.clock.digits = game::digitsOf(g, game::DigitGroup::Time);
    s.clock.colon = g.colon;
    std::tie(s.clock.running, s.clock.remaining) = readClock(g, keeper, 0);
    s.clock.timeOfDay = g.timeOfDay;
    s.periodDigits = game::digitsOf(g, game::DigitGroup::Period);

    s.home.name = settings.HomeText;
    s.home.scoreDigits = game::digitsOf(g, game::DigitGroup::Home);
    s.home.goalLight = g.whoGoal == 1;
    s.home.penalties[0] = readPenalty(g, game::DigitGroup::PenaltyTH1, keeper, 1);
    s.home.penalties[1] = readPenalty(g, game::DigitGroup::PenaltyTH2, keeper, 2);
    s.visitor.name = settings.VisitorText;
    s.visitor.scoreDigits = game::digitsOf(g, game::DigitGroup::Visitor);
    s.visitor.goalLight = g.whoGoal == 2;
    s.visitor.penalties[0] = readPenalty(g, game::DigitGroup::PenaltyTV1, keeper, 3);
    s.visitor.penalties[1] = readPenalty(g, game::DigitGroup::PenaltyTV2, keeper, 4);

    if (settings.PenaltyRules) {
        s.queued.emplace();
        for (std::size_t t = 0; t < 2; ++t) {
            for (const QueuedPenalty& q : g.rules.penalties.queues[t]) {
                (*s.queued)[t].push_back(q.fullTime);
            }
        }
    }

    s.soundPlaying = soundPlaying;
    s.intermission = g.intermission;
    if (g.selected) {
        s.selectedField = std::string(game::fieldName(*g.selected));
    }
    return s;
}
