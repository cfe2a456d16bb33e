#pragma once
#include "core/TimeValue.h"
#include "core/board/ClockEngine.h"
#include "core/rules/GameSheet.h"
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the board shows of a game, in one value: the digits of every field exactly as the board keeps them
// (-1 a dark digit), the lights, the view, the selected field, the reset time and the clock engine's table.
// The digits stay the only record of a score or the period; nothing here reckons a score another way.
namespace game {

// The nine field boxes, in the board's tab order, named as the board's controls.
enum class Field {
    TimeBack,
    HomeBack,
    VisitorBack,
    GoalLights,
    PeriodBack,
    PenaltyTH1,
    PenaltyTV1,
    PenaltyTH2,
    PenaltyTV2
};
inline constexpr int kFieldCount = 9;
std::string_view fieldName(Field field);
std::optional<Field> fieldNamed(std::string_view name);

inline constexpr int kPenaltyCount = 4; // clocks 1..4: home 1, home 2, visitor 1, visitor 2

// What "Apply penalty rules" keeps beside the board: the rules' own record of which penalty is on which clock
// and which wait, and the game's record for the game sheet (periods, scores and the rules' events, oldest
// first). Empty while the option is off, so a board without the rules saves exactly what it always did.
inline constexpr std::size_t kMaxSheetEvents = 200;
struct RulesRecord {
    PenaltyRulesState penalties;
    std::vector<SheetEvent> sheet;
    std::uint64_t dropped = 0; // the oldest entries let go, so the sheet can say it is not whole
    bool empty() const { return *this == RulesRecord{}; }
    // Adds an entry, letting the oldest go (and counting it) when the record is full.
    void note(const SheetEvent& event);
    bool operator==(const RulesRecord&) const = default;
};

struct GameState {
    std::array<int, 4> timeDigits{1, 0, 0, 0}; // index 0 leftmost
    bool colon = true;                         // the clock's upper dot lit
    std::array<int, 2> homeDigits{0, -1};      // index 0 units
    std::array<int, 2> visitorDigits{0, -1};
    std::array<int, 1> periodDigits{0};
    // By clock number - 1; index 0 the seconds (rightmost).
    std::array<std::array<int, 3>, kPenaltyCount> penaltyDigits{
        {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}}};
    std::array<bool, kPenaltyCount> penaltyLights{};
    // By clock number - 1: the number of the player serving the penalty, -1 for none.
    std::array<int, kPenaltyCount> penaltyPlayers{-1, -1, -1, -1};
    int whoGoal = 0; // 0 none, 1 home, 2 visitor
    bool timeOfDay = false;
    std::optional<Field> selected;
    TimeValue resetTime = secondsToTime(600);
    ClockTable clocks = freshClocks();
    // The buzzer has sounded for the game clock's present zero.
    bool zeroBuzzed = false;
    // The game clock counts down an intermission (penalty clocks frozen); its end starts the next period.
    bool intermission = false;
    RulesRecord rules;

    static ClockTable freshClocks();
    bool operator==(const GameState&) const = default;
};

// The board's digit groups, each a control array of LED digits.
enum class DigitGroup { Time, Home, Visitor, Period, PenaltyTH1, PenaltyTH2, PenaltyTV1, PenaltyTV2 };
// A group's digits in the board's own index order.
std::vector<int> digitsOf(const GameState& state, DigitGroup group);
// Sets a group's digits from the board's captions; captions beyond the group's digits are not kept.
void setDigits(GameState& state, DigitGroup group, const std::vector<int>& captions);

// The board as it opens: 10:00 stopped, scores and period 0, no penalty, no light.
GameState freshGame();

// True when nothing of a game has happened yet: the view, the selection and the colon do not count, every
// digit, light, clock and the reset time do.
bool isFreshGame(const GameState& state);

// Largest values the board can take: typed game time 99:59, typed penalty 9:59.
inline constexpr TimeValue kMaxGameClockSet = secondsToTime(5999);
inline constexpr TimeValue kMaxPenaltySet = secondsToTime(599);

// Player numbers as the board shows them: two digits.
inline constexpr int kMaxPlayerNumber = 99;
// Notes who serves the penalty on a clock (1..4). A number outside 0..99 (-1 among them) notes none; a clock
// outside 1..4 changes nothing.
void setPenaltyPlayer(GameState& state, int clock, int number);
// Whether any penalty clock has a player noted.
bool anyPenaltyPlayer(const GameState& state);
// A player number's two digits as LED captions, index 0 units: no tens digit below 10, both dark for none.
std::array<int, 2> playerDigits(int number);

// The number a group of digits shows (dark digits read as nothing; all dark reads 0). Index 0 units.
int numberShown(const int* digits, std::size_t count);

// The game clock's remaining time in the table.
TimeValue gameTimeLeft(const GameState& state);

// The length the board gives a period after an intermission: its reset time when it holds one, else 20:00.
inline constexpr TimeValue kDefaultPeriodLength = secondsToTime(std::int64_t{20} * 60);
TimeValue nextPeriodLength(const GameState& state);
// The length of the period being played: the game clock's set time, or during an intermission the next
// period's (the clock then counts the intermission).
TimeValue periodLengthOf(const GameState& state);

// What the start-up question tells of a game in progress: the numbers shown and the game time left, M:SS
// rounded up to the whole second as the board shows a running minute.
struct ResumeFacts {
    int home = 0;
    int visitor = 0;
    int period = 0;
    std::string timeLeft;
};
ResumeFacts resumeFacts(const GameState& state);

// The question the board asks at start-up over a game in progress; savedAt is the local time of day of the
// last save, already written as the user's clock shows it.
std::string resumeQuestion(const GameState& state, std::string_view savedAt);

} // namespace game
