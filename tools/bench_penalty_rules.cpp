// What the penalty rules cost the board's tick. Three boards on a hand-advanced clock (offscreen platform), each
// running the game clock for 2000 s of game time in 0.1 s steps and timing every tick: the rules off; the rules
// on with four penalties running and more waiting; the same with the game sheet's list full. Prints the tick's
// p50, p99 and largest cost in microseconds. A figure to watch, not a test.
//   bench_penalty_rules
#include "board/BoardWindow.h"
#include "core/board/ClockSource.h"
#include "core/settings/Settings.h"
#include "sound/SoundDevice.h"
#include "support/BenchSupport.h"
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kKey2 = 50;
constexpr int kKey5 = 53;
constexpr int kInsert = 45;

void run(const char* label, bool rules, bool fullSheet) {
    ManualClockSource clock;
    ClockEngine engine(clock);
    SilentDevice buzzer;
    SilentDevice horn;
    SettingsVariables settings = defaultSettings("/nonexistent", '/');
    settings.BuzzerFile.clear();
    settings.HornFile.clear();
    settings.PenaltyRules = rules;
    BoardWindow board(settings, engine, buzzer, horn, BoardServices{});
    if (fullSheet) {
        game::GameState s = board.model().state();
        for (std::size_t i = 0; i < game::kMaxSheetEvents; ++i) {
            SheetEvent e;
            e.kind = SheetEvent::Kind::Penalty;
            e.penalty.kind = PenaltyEventKind::Expired;
            s.rules.note(e);
        }
        board.resumeGame(s);
    }
    // 99:59 on the game clock; three penalties a team by Insert (two run, one waits), two more typed home.
    for (int key : {57, 57, 190, 53, 57, 13}) {
        board.keyDown(game::Field::TimeBack, key);
    }
    for (int clockNumber : {1, 3}) {
        for (int key : {kKey2, kInsert, kKey5, kInsert, kKey2, kInsert, kKey2, kInsert}) {
            board.keyDown(penaltyField(clockNumber), key);
        }
    }
    board.handleCommandKey(settings.StartStopClockKey);
    std::vector<double> micros;
    for (int i = 0; i < 20'000; ++i) {
        clock.advance(100);
        const auto t0 = std::chrono::steady_clock::now();
        board.onTick();
        const auto t1 = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::printf("%-40s tick p50 %7.1f us  p99 %7.1f us  max %8.1f us  (sheet entries %zu)\n", label,
                percentile(micros, 0.5), percentile(micros, 0.99), percentile(micros, 1.0),
                board.model().state().rules.sheet.size());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    run("rules off", false, false);
    run("rules on, penalties running and waiting", true, false);
    run("rules on, the sheet's list full", true, true);
    return 0;
}
