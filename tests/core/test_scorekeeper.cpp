#include "core/board/Scorekeeper.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

// The board's scorekeeping without a window, on a clock moved by hand. Each row is a script of inputs and checks:
//   F:keys   keys typed into field F: T time, H home, V visitor, G goal, P period, 1..4 penalty clocks, W none.
//            Keys: digits . + - as typed, \n Enter, # the clear key (Delete), _ space, ^ Insert, < > v the arrows,
//            ! F1, % F2, $ F3, * F4, kX the keypad's X, and capitals as their letter keys (S start/stop, R reset,
//            C clock switch, I independent clock, B buzzer, G horn).
//   +ms      time passes and the tick runs (when it is on), as the timer would fire
//   ~ms      time passes, nothing runs
//   @H @V    a click on a goal light's cover;  end:B end:G  a sound's device reports its end
//   tickon   the tick's timer is started by hand
//   up:K     key K released;  minute  the minute wake runs (when armed);  wall:H:M:S.mmm  the time of day
//   set:Name=value  a setting changes (the options dialog, F2, then reports them changed)
//   ?what=value  a check: time (4 digits, the colon ':' or the point '.' between), home, visitor, period,
//            pen1..pen4 (M SS), lights (4), goal, run (5 clocks), tick (1 on), tod, sound, c0..c4 (a clock's
//            seconds, peeked), reset (seconds), armed (ms to the tick's firing, - none), minute (ms, - none),
//            mode (1: an intermission), queued (the home team's waiting penalties), records (the rules' records),
//            notices ("each": one notice to the state's listeners per input), fx (the effects since the last fx check).
namespace {

struct Row {
    const char* name;
    const char* setup; // settings and sounds: rules, buzzer, horn, 12h, Name=value
    const char* script;
};

int keyOf(char c) {
    switch (c) {
    case '.':
        return 190;
    case '+':
        return 187;
    case '-':
        return 189;
    case '\n':
        return 13;
    case '#':
        return 46;
    case '_':
        return 32;
    case '^':
        return 45;
    case '<':
        return 37;
    case '>':
        return 39;
    case 'v':
        return 40;
    case '!':
        return 112;
    case '%':
        return 113;
    case '$':
        return 114;
    case '*':
        return 115;
    default:
        return static_cast<unsigned char>(c);
    }
}

std::optional<game::Field> fieldOf(char c) {
    switch (c) {
    case 'T':
        return game::Field::TimeBack;
    case 'H':
        return game::Field::HomeBack;
    case 'V':
        return game::Field::VisitorBack;
    case 'G':
        return game::Field::GoalLights;
    case 'P':
        return game::Field::PeriodBack;
    case 'W':
        return std::nullopt;
    default:
        return penaltyField(c - '0');
    }
}

std::string digits(const int* d, std::size_t n, bool rightmostFirst) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = d[i] < 0 ? '-' : static_cast<char>('0' + d[i]);
        if (rightmostFirst) {
            out.insert(out.begin(), c);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string seconds(TimeValue t) {
    std::ostringstream out;
    out << t / kTicksPerSecond;
    if (const TimeValue tenths = (t % kTicksPerSecond) / (kTicksPerSecond / 10); tenths != 0) {
        out << '.' << tenths;
    }
    return out.str();
}

void setSetting(SettingsVariables& s, const std::string& name, std::int64_t v) {
    const auto k = static_cast<std::int16_t>(v);
    if (name == "StartStopClockKey") {
        s.StartStopClockKey = k;
    } else if (name == "ClockSwitchKey") {
        s.ClockSwitchKey = k;
    } else if (name == "BuzzerKey") {
        s.BuzzerKey = k;
    } else if (name == "HornKey") {
        s.HornKey = k;
    } else if (name == "NumLockForce") {
        s.NumLockForce = static_cast<std::int32_t>(v);
    } else if (name == "PenaltyRules") {
        s.PenaltyRules = v != 0;
    } else if (name == "MinorLength") {
        s.MinorLength = secondsToTime(v);
    } else if (name == "IntermissionLength") {
        s.IntermissionLength = secondsToTime(v);
    } else {
        ADD_FAILURE() << "no setting " << name;
    }
}

// The scorekeeper with what a window would do around it: the tick and minute wake armed as told, sounds logged.
struct Board {
    ManualClockSource clock;
    ClockEngine engine{clock};
    SettingsVariables settings = defaultSettings("/nowhere", '/');
    Scorekeeper keeper{engine, settings};
    WallTime wall{14, 35, 0, 0, false};
    std::map<Sound, bool> loaded{{Sound::Buzzer, false}, {Sound::Horn, false}};
    bool tickOn = false;
    std::optional<std::int64_t> tickAt;
    std::optional<std::int64_t> minuteIn;
    std::vector<std::string> effects;
    int notices = 0;
    int inputs = 0;

    explicit Board(const std::string& setup) {
        settings.BuzzerFile.clear();
        settings.HornFile.clear();
        std::istringstream in(setup);
        for (std::string word; in >> word;) {
            if (word == "rules") {
                settings.PenaltyRules = true;
            } else if (word == "buzzer") {
                loaded[Sound::Buzzer] = true;
            } else if (word == "horn") {
                loaded[Sound::Horn] = true;
            } else if (word == "12h") {
                wall.twelveHour = true;
            } else if (const auto eq = word.find('='); eq != std::string::npos) {
                setSetting(settings, word.substr(0, eq), std::stoll(word.substr(eq + 1)));
            }
        }
        keeper.setWallClock([this] { return wall; });
        keeper.setSoundLoaded([this](Sound s) { return loaded[s]; });
        keeper.addListener([this](const game::GameState&) { ++notices; });
        apply(keeper.load());
        // The tests run the tick by hand.
        apply(keeper.stopTick());
    }

    void apply(const BoardEffects& list) {
        ++inputs;
        const char* sound[] = {"B", "G"};
        for (const BoardEffect& e : list) {
            const std::string s = sound[static_cast<int>(e.sound)];
            using K = BoardEffect::Kind;
            switch (e.kind) {
            case K::PlaySound:
                effects.push_back("play:" + s);
                break;
            case K::CutSound:
                effects.push_back("cut:" + s);
                break;
            case K::SoundEnded:
                effects.push_back("end:" + s);
                break;
            case K::Beep:
                effects.emplace_back("beep");
                break;
            case K::Refuse:
                effects.push_back("refuse:" + std::string(game::fieldName(*e.field)));
                break;
            case K::SetNumLock:
                effects.emplace_back(e.on ? "numlock:1" : "numlock:0");
                break;
            case K::OpenHelp:
                effects.emplace_back("help");
                break;
            case K::OpenGameSheet:
                effects.emplace_back("sheet");
                break;
            case K::OpenOptions:
                effects.emplace_back("options");
                apply(keeper.optionsChanged());
                break;
            case K::StartTick:
            case K::WakeTick:
                tickOn = true;
                tickAt = clock.nowMillis();
                break;
            case K::TickSoon:
                if (tickOn) {
                    tickAt = clock.nowMillis();
                }
                break;
            case K::TickAt:
                if (tickOn) {
                    tickAt = e.millis;
                }
                break;
            case K::TickSleep:
                if (tickOn) {
                    tickAt.reset();
                }
                break;
            case K::StopTick:
                tickOn = false;
                tickAt.reset();
                break;
            case K::ArmMinuteWake:
                minuteIn = e.millis;
                break;
            case K::StopMinuteWake:
                minuteIn.reset();
                break;
            }
        }
    }

    std::string look(const std::string& what) {
        const game::GameState& s = keeper.state();
        if (what == "time") {
            const std::string d = digits(s.timeDigits.data(), 4, false);
            return d.substr(0, 2) + (s.colon ? ":" : ".") + d.substr(2);
        }
        if (what == "home") {
            return digits(s.homeDigits.data(), 2, true);
        }
        if (what == "visitor") {
            return digits(s.visitorDigits.data(), 2, true);
        }
        if (what == "period") {
            return digits(s.periodDigits.data(), 1, true);
        }
        if (what.rfind("pen", 0) == 0) {
            return digits(s.penaltyDigits[static_cast<std::size_t>(what[3] - '1')].data(), 3, true);
        }
        if (what == "lights") {
            std::string out;
            for (bool l : s.penaltyLights) {
                out += l ? '1' : '0';
            }
            return out;
        }
        if (what == "goal") {
            return std::to_string(s.whoGoal);
        }
        if (what == "run") {
            std::string out;
            for (const ClockRecord& c : s.clocks) {
                out += c.running ? '1' : '0';
            }
            return out;
        }
        if (what == "tick") {
            return tickOn ? "1" : "0";
        }
        if (what == "tod") {
            return s.timeOfDay ? "1" : "0";
        }
        if (what == "sound") {
            return keeper.buzzerPlaying() ? "1" : "0";
        }
        if (what.size() == 2 && what[0] == 'c') {
            return seconds(keeper.peekClock(what[1] - '0'));
        }
        if (what == "reset") {
            return seconds(s.resetTime);
        }
        if (what == "armed") {
            return tickAt ? std::to_string(*tickAt - clock.nowMillis()) : "-";
        }
        if (what == "minute") {
            return minuteIn ? std::to_string(*minuteIn) : "-";
        }
        if (what == "mode") {
            return s.intermission ? "1" : "0";
        }
        if (what == "queued") {
            std::string out;
            for (const QueuedPenalty& q : s.rules.penalties.queues[0]) {
                out += (out.empty() ? "" : ",") + seconds(q.fullTime);
            }
            return out;
        }
        if (what == "records") {
            static const char* kNames[] = {"add", "queue", "start", "release", "over",
                                           "fix", "clear", "undo",  "requeue"};
            std::string out;
            for (const SheetEvent& e : s.rules.sheet) {
                if (e.kind == SheetEvent::Kind::Penalty) {
                    out += (out.empty() ? "" : ",") + std::string(kNames[static_cast<int>(e.penalty.kind)]);
                }
            }
            return out;
        }
        if (what == "players") {
            std::string out;
            for (int n : s.penaltyPlayers) {
                out += (out.empty() ? "" : ",") + (n < 0 ? std::string("-") : std::to_string(n));
            }
            return out;
        }
        if (what == "notices") {
            // One notice to the state's listeners for every input.
            return notices == inputs ? "each" : std::to_string(notices) + "/" + std::to_string(inputs);
        }
        if (what == "fx") {
            std::string out;
            for (const std::string& e : effects) {
                out += (out.empty() ? "" : ",") + e;
            }
            effects.clear();
            return out;
        }
        ADD_FAILURE() << "nothing to look at named " << what;
        return {};
    }

    void type(std::optional<game::Field> field, const std::string& keys) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            int key = keyOf(keys[i]);
            if (keys[i] == 'k' && i + 1 < keys.size()) {
                ++i;
                key = keys[i] == '-' ? 109 : 96 + (keys[i] - '0');
            }
            apply(keeper.keyDown(field, key));
        }
    }

    void step(const std::string& token) {
        if (token[0] == '+') {
            // +ms, or +msxN: N times.
            const auto x = token.find('x');
            const int times = x == std::string::npos ? 1 : std::stoi(token.substr(x + 1));
            for (int i = 0; i < times; ++i) {
                clock.advance(std::stoll(token.substr(1, x)));
                if (tickOn) {
                    apply(keeper.tick());
                }
            }
        } else if (token == "tickon") {
            // The window's timer started by hand: it fires at the next step.
            tickOn = true;
        } else if (token[0] == '~') {
            clock.advance(std::stoll(token.substr(1)));
        } else if (token == "@H" || token == "@V") {
            apply(keeper.goalClicked(token[1] == 'H' ? Team::Home : Team::Visitor));
        } else if (token.rfind("end:", 0) == 0) {
            apply(keeper.soundEnded(token[4] == 'B' ? Sound::Buzzer : Sound::Horn));
        } else if (token.rfind("up:", 0) == 0) {
            apply(keeper.keyUp(std::stoi(token.substr(3)), false));
        } else if (token == "minute") {
            if (minuteIn) {
                apply(keeper.minutePassed());
            }
        } else if (token.rfind("wall:", 0) == 0) {
            int h = 0, m = 0, sec = 0, ms = 0;
            std::sscanf(token.c_str() + 5, "%d:%d:%d.%d", &h, &m, &sec, &ms);
            wall = WallTime{h, m, sec, ms, wall.twelveHour};
        } else if (token.rfind("set:", 0) == 0) {
            const auto eq = token.find('=');
            setSetting(settings, token.substr(4, eq - 4), std::stoll(token.substr(eq + 1)));
        } else if (token.rfind("rec:", 0) == 0) {
            // rec:H7=120#12,V8=90  the record's penalties on the clocks: team, id, seconds left, player
            RecordedPenalties shown;
            std::istringstream list(token.substr(4));
            for (std::string item; std::getline(list, item, ',');) {
                RecordedPenalty p;
                p.id = std::stoull(item.substr(1));
                p.remaining = secondsToTime(std::stoll(item.substr(item.find('=') + 1)));
                const auto hash = item.find('#');
                p.player = hash == std::string::npos ? -1 : std::stoi(item.substr(hash + 1));
                shown[item[0] == 'H' ? 0 : 1].push_back(p);
            }
            apply(keeper.followRecord(shown));
        } else if (token[0] == '?') {
            const auto eq = token.find('=');
            const std::string what = token.substr(1, eq - 1);
            EXPECT_EQ(look(what), token.substr(eq + 1)) << "at " << token;
        } else if (token.size() >= 2 && token[1] == ':') {
            type(fieldOf(token[0]), token.substr(2));
        } else {
            ADD_FAILURE() << "no step " << token;
        }
    }

    // Steps are parted by spaces only: a newline in a step is the Enter key.
    void run(const std::string& script) {
        std::istringstream in(script);
        for (std::string token; std::getline(in, token, ' ');) {
            if (!token.empty()) {
                step(token);
            }
        }
    }
};

void runRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Board board(row.setup);
        board.run(row.script);
    }
}

} // namespace

TEST(ScorekeeperTable, NumberFields) {
    runRows({
        {"+3 on 7", "", "H:7\n H:+3 ?home=10"},
        {"-7 on 7", "", "H:7\n H:-7 ?home=-0"},
        {"-8 on 7 darkens", "", "H:7\n H:-8 ?home=--"},
        {"-9 on 7 ignored", "", "H:7\n H:-9 ?home=-7"},
        {"+5 on 95 ignored", "", "H:95\n H:+5 ?home=95"},
        {"+2 on dark", "", "H:# H:+2 ?home=-2"},
        {"12 Enter", "", "V:12\n ?visitor=12"},
        {"007 Enter", "", "V:007\n ?visitor=-7"},
        {"123 Enter ignored", "", "V:4\n V:123\n ?visitor=-4"},
        {"clear keeps half-typed", "", "H:1#2\n ?home=12"},
        {"clear darkens at once", "", "H:31\n H:# ?home=--"},
        {"period digit at once", "", "P:3 ?period=3"},
        {"period +1", "", "P:3 P:+1 ?period=4"},
        {"period 9 +1 ignored", "", "P:9 P:+1 ?period=9"},
        {"period clear ignored", "", "P:4 P:# ?period=4"},
        {"keypad minus and digit", "", "H:5\n H:k-k2 ?home=-3"},
        {"half-typed score stays with its field", "", "H:1 V:2\n ?visitor=-2 ?home=-0"},
        {"timed buffers apart from score buffers", "", "T:1 H:4\n T:5\n ?time=15:00 ?home=-4"},
        {"game time typed while running stops all and becomes the reset time", "",
         "T:S +3000 T:20\n ?run=00000 ?time=20:00 ?reset=1200 T:\n ?time=-0.0- ?reset=0"},
        {"a command key on the full stop acts and types", "ClockSwitchKey=190", "T:1.30\n ?time=-1:30 ?tod=1"},
        {"goal keys: left twice stays home", "", "G:<< ?goal=1"},
        {"goal keys: right", "", "G:> ?goal=2"},
        {"goal keys: down clears", "", "G:>v ?goal=0"},
        {"goal keys: up (&, code 38) and digits change nothing", "", "G:<&5 ?goal=1"},
        {"goal clicks toggle", "", "@H ?goal=1 @V ?goal=2 @V ?goal=0 @V ?goal=2"},
        {"one notice per input", "", "H:7\n V:+1 +100 @H ?notices=each"},
    });
}

TEST(ScorekeeperTable, PenaltyClocks) {
    runRows({
        {"2 Enter", "", "2:2\n ?pen2=200 ?c2=120 ?run=00000 ?lights=0100"},
        {"10 Enter rejected", "", "2:10\n ?pen2=--- ?c2=0 ?lights=0000"},
        {"2.005 half to even", "", "2:2.005\n ?pen2=200 ?c2=120"},
        {"2.015 half to even", "", "2:2.015\n ?pen2=202 ?c2=122"},
        {"9.59 the limit", "", "2:9.59\n ?pen2=959 ?c2=599"},
        {"space cancels", "", "2:5_1\n ?pen2=100 ?c2=60"},
        {"Enter alone shows 0:00", "", "2:\n ?pen2=000 ?c2=0 ?lights=0000"},
        {"runs with the game and runs out", "",
         "1:0.03\n ?pen1=003 1:S +2900 ?pen1=001 ?lights=1000 +200 ?pen1=000 ?lights=0000 +5000 ?pen1=000"},
        {"keeps its time through a stoppage", "",
         "1:2\n T:0.30\n T:S +100x300 ?tick=0 ?pen1=130 ~60000 3:2\n ?c1=90 T:1\n T:S +10000 ?c1=80 ?pen1=120"},
        {"the independent-clock key runs one penalty", "",
         "4:1\n 4:I ?run=00001 ?tick=1 +5000 ?pen4=055 4:I ?run=00000"},
        {"started during play it stops at the game's zero", "",
         "T:0.30\n T:S +10000 1:2\n ?run=10111 1:I ?run=11111 +100x200 ?tick=0 ?time=-0.0- ?pen1=140 ?run=10000 "
         "~20000 3:# ?c1=100 T:20\n T:S +5000 ?c1=95 ?pen1=135"},
        {"started during the stoppage it runs on its own", "",
         "T:0.01\n T:S +1000 ?tick=0 4:1\n 4:I +10000 ?pen4=050 2:# ?run=10001 ?c4=50"},
        {"clearing a running penalty", "",
         "1:2\n 1:S +1000 1:# ?pen1=--- ?run=10111 ?lights=0000 1:S 1:S ?run=11111 +1000 ?pen1=---"},
        {"a typed time stops a running penalty", "", "1:S 1:2\n ?run=10111 +5000 ?pen1=200"},
    });
}

TEST(ScorekeeperTable, GameClock) {
    runRows({
        {"opens at 10:00 with dark penalties", "",
         "?time=10:00 ?home=-0 ?visitor=-0 ?pen1=--- ?pen2=--- ?pen3=--- ?pen4=--- ?c0=600 ?run=00000 ?sound=0 "
         "?tod=0 ?goal=0"},
        {"a stopped clock redraws and never buzzes", "buzzer", "tickon +100x50 ?time=10:00 ?tick=1 ?sound=0 ?fx="},
        {"runs down to zero, buzzes once and stops the tick", "buzzer",
         "T:0.05\n ?time=-5.0- T:S +1000 ?time=-4.0- +3950 ?time=-0.1- +200 ?time=-0.0- ?tick=0 ?fx=play:B "
         "?run=10000 end:B ?sound=0 T:S ?run=00000 T:S ?tick=1 +100 ?tick=0 ?fx=end:B"},
        {"a typed zero buzzes at the next tick", "buzzer", "tickon T:0\n ?reset=0 +100 ?tick=0 ?fx=play:B"},
        {"start/stop moves all five clocks", "",
         "T:S ?run=11111 ?tick=1 +2000 ?time=-9:58 ?pen1=--- T:S ?run=00000 ~5000 ?c0=598"},
        {"reset while running stops all and shows the reset time", "",
         "1:2\n T:S +10000 ?pen1=150 T:R ?run=00000 ?time=10:00 ?c1=110 T:20\n T:S +3000 T:R ?time=20:00"},
        {"reset while stopped sets only the game clock", "", "2:I T:R ?run=00100"},
        {"the clock switch shows the time of day at once, even after zero", "",
         "T:0\n tickon +100 ?tick=0 T:C ?tod=1 ?time=14:35 T:C ?time=-0.0- T:C T:R ?tod=0 ?time=-0.0-"},
        {"the time of day goes on after zero without charging penalties", "",
         "3:2\n T:0.10\n T:S +10000 +100 ?tick=0 ?c3=110 T:C ~120000 wall:14:37:0.0 minute ?time=14:37 ?c3=110"},
        {"start/stop before reset", "buzzer horn StartStopClockKey=82", "W:R ?run=11111"},
        {"buzzer before horn", "buzzer horn BuzzerKey=71", "W:G ?fx=play:B"},
        {"horn before F1", "buzzer horn HornKey=112", "W:! ?fx=play:G"},
        {"one sound at a time", "buzzer horn", "T:BB ?fx=play:B T:G ?fx= end:B ?fx=end:B T:G ?fx=play:G"},
        {"a silent buzzer never blocks the horn", "horn", "W:B ?sound=0 W:G ?sound=1"},
        {"F1, F2 and F3 (with the rules off) ", "", "T:! T:% T:$ ?fx=help,options"},
        {"F3 with the rules on", "rules", "T:$ ?fx=sheet"},
        {"NumLock as the options say, after they close", "",
         "set:NumLockForce=2 T:% ?fx=options,numlock:0 set:NumLockForce=1 T:% ?fx=options,numlock:1 "
         "set:NumLockForce=0 T:% ?fx=options"},
        {"NumLock forced at load and at the NumLock key's release", "NumLockForce=1",
         "?fx=numlock:1 up:144 ?fx=numlock:1 up:65 ?fx="},
        {"the zero buzzer cuts the horn", "buzzer horn",
         "T:0.02\n T:S +1500 T:G ?fx=play:G +600 ?time=-0.0- ?fx=cut:G,play:B ?sound=1 end:G ?sound=1 T:G "
         "?fx=end:G end:B ?sound=0 T:G ?fx=end:B,play:G"},
        {"the zero buzzer cuts a long buzzer", "buzzer horn",
         "T:0.02\n T:S +1500 T:B ?fx=play:B +600 ?fx=cut:B,play:B ?sound=1 end:B ?sound=1 T:G ?fx= end:B ?sound=0 "
         "T:G ?fx=end:B,play:G"},
        {"the zero buzzer with nothing playing", "buzzer horn",
         "T:0.02\n T:S +1500 +600 ?fx=play:B ?sound=1 end:B ?sound=0 T:G ?fx=end:B,play:G"},
        {"buzzes again after the clock is set above zero and runs out", "buzzer",
         "T:0.02\n T:S +2000 +100 ?fx=play:B end:B T:0.03\n ?time=-3.0- T:S +1000 ?fx=end:B +2000 ?time=-0.0- "
         "?fx=play:B"},
    });
}

TEST(ScorekeeperTable, TimeOfDay) {
    runRows({
        {"24h 14:35", "", "wall:14:35:0.0 T:C ?time=14:35"},
        {"12h 14:35", "12h", "wall:14:35:0.0 T:C ?time=-2:35"},
        {"24h 0:05", "", "wall:0:05:0.0 T:C ?time=-0:05"},
        {"12h 0:05 is 12:05", "12h", "wall:0:05:0.0 T:C ?time=12:05"},
        {"24h 12:30", "", "wall:12:30:0.0 T:C ?time=12:30"},
        {"12h 12:30", "12h", "wall:12:30:0.0 T:C ?time=12:30"},
        {"24h 0:00", "", "wall:0:00:0.0 T:C ?time=-0:00"},
        {"12h 23:59", "12h", "wall:23:59:0.0 T:C ?time=11:59"},
        {"wakes at the minute", "",
         "wall:14:35:20.500 T:C ?minute=39500 wall:14:36:0.1 minute ?time=14:36 ?minute=59999 T:C ?minute=-"},
    });
}

// The tick wakes when a shown face next changes, and not at all while nothing runs.
TEST(ScorekeeperTable, TickSchedule) {
    runRows({
        {"10:00 turns to 9:59 a second after the start", "", "T:10\n ~1234 T:S ?tick=1 +16 ?armed=950"},
        {"whole seconds later on", "", "T:10\n ~1234 T:S +4087 ?armed=879"},
        {"1:00.5 turns to 1:00 in five tenths", "", "T:1.005\n T:S +7 ?armed=493"},
        {"under a minute every tenth", "", "T:0.30\n ~1234 T:S +16 ?armed=50"},
        {"a penalty on its own, whole seconds", "", "T:10\n 1:2\n ~2000 1:I +345 ?armed=655"},
        {"a penalty turning before the game clock", "", "T:9.595\n 1:0.03\n 1:S +2543 ?armed=457"},
        {"sleeps while nothing runs", "",
         "tickon T:5\n ?armed=0 +0 ?tick=1 ?armed=- ?minute=- T:S +1000 ?armed=1000 T:S +0 ?time=-4:59 ?armed=- "
         "T:0\n +0 ?tick=0 ?armed=-"},
    });
}

TEST(ScorekeeperTable, PenaltyRules) {
    runRows({
        {"one minor", "rules", "1:2^ ?pen1=200 ?pen2=--- ?queued= ?pen3=---"},
        {"two go on both clocks", "rules", "1:2^4^ ?pen1=200 ?pen2=400 ?queued="},
        {"a third waits", "rules", "1:2^4^5^ ?pen1=200 ?pen2=400 ?queued=300"},
        {"a queue of three", "rules", "1:2^2^2^4^5^ ?pen1=200 ?pen2=200 ?queued=120,240,300"},
        {"Insert with nothing typed", "rules", "1:^ ?pen1=--- ?pen2=--- ?queued="},
        {"a time over 9:59 is no time", "rules", "1:10^ ?pen1=--- ?pen2=--- ?queued="},
        {"0:00 is refused beside its field", "rules", "1:0^ ?pen1=--- ?pen2=--- ?queued= ?fx=beep,refuse:PenaltyTH1"},
        {"seconds round as Enter does", "rules", "1:1.305^ ?pen1=130 ?pen2=---"},
        {"with the option off Insert does nothing", "", "1:2^2^5^ H:+1 ?pen1=--- ?pen2=--- ?home=-1 ?records="},
        {"a command key on Insert keeps its command", "rules StartStopClockKey=45",
         "1:2^ ?run=11111 ?pen1=--- ?records="},
        {"Enter still replaces the clock's time", "rules",
         "1:2^2^5^ 2:1.30\n ?pen1=200 ?pen2=130 ?queued=300 ?records=add,add,queue,fix"},
        {"expiry starts the queued penalty running", "rules",
         "1:2^2^5^ 2:1\n 2:S +59900 ?pen2=001 +200 ?pen2=500 ?queued= ?run=11111 +10000 ?pen2=450 "
         "?records=add,add,queue,fix,over,start"},
        {"5-on-3: the shorter minor ends", "rules", "1:2^ 2:2^1.30\n V:+1 ?pen1=200 ?pen2=---"},
        {"typed score up by one is a goal", "rules", "1:2^ 2:2^1.30\n V:1\n ?pen1=200 ?pen2=---"},
        {"a correction by two releases nothing", "rules", "1:2^ 2:2^1.30\n V:2\n ?pen1=200 ?pen2=130"},
        {"a major stays, the minor ends", "rules", "1:2^ 2:5^ V:+1 ?pen1=--- ?pen2=500"},
        {"a timed penalty (Enter on a free clock) stays", "rules", "1:2^ 2:1.30\n V:+1 ?pen1=--- ?pen2=130"},
        {"a penalty added while the game runs runs with it", "rules",
         "T:S +1000 3:2^ +5000 ?pen3=155 3:S +5000 ?pen3=155"},
        {"typing a released penalty's time again undoes the release", "rules",
         "1:2^2^5^ 2:1.30\n V:+1 ?pen2=500 V:-1 ?pen2=500 2:1.30\n ?pen2=130 ?queued=300 "
         "?records=add,add,queue,fix,release,start,requeue,undo V:+1 ?pen2=500"},
        {"a youth minor of 1:30 is a minor a goal ends", "rules MinorLength=90",
         "1:1.30^ V:+1 ?pen1=--- ?records=add,release"},
        {"a youth double minor of 3:00 is cut to its second minor", "rules MinorLength=90",
         "1:3^ V:+1 ?pen1=130 ?records=add,release"},
        {"with 2:00 minors a typed 1:30 stays timed", "rules", "1:1.30^ V:+1 ?pen1=130"},
        {"penalties typed with the option off are taken up when it goes on", "",
         "1:2\n 2:1.30\n set:PenaltyRules=1 W:% 1:5^ ?queued=300 ?pen1=200 V:+1 ?pen1=500 ?pen2=130"},
    });
}

// The official's record's penalties on the clocks (with the penalty rules on).
TEST(ScorekeeperTable, RecordedPenalties) {
    runRows({
        {"on a dark clock, with its player, running with the game", "rules",
         "rec:H1=120#12 ?pen1=200 ?players=12,-,-,- ?lights=1000 T:S +1000 ?pen1=159"},
        {"given while the game runs: runs at once", "rules",
         "T:S +1000 rec:V1=300 +2000 ?pen3=458 T:S +2000 ?pen3=458"},
        {"each keeps its clock when the one before leaves", "rules",
         "rec:H1=120,H2=300 ?pen1=200 ?pen2=500 rec:H2=300 ?pen1=--- ?pen2=500 rec:H2=300,H3=90 ?pen1=130 ?pen2=500"},
        {"a typed penalty keeps its clock while another is free", "rules",
         "1:2^ rec:H1=300 ?pen1=200 ?pen2=500 rec:H1=300,H2=90 ?pen1=130 ?pen2=500 V:+1 ?pen1=130 ?records=add"},
        {"typed on the board and recorded: one clock", "rules",
         "3:2\n rec:V1=120#8 ?pen3=200 ?pen4=--- ?players=-,-,8,-"},
        {"one that ran out keeps 0:00", "rules", "rec:H1=1 T:S +1500 ?pen1=000 rec: ?pen1=000 ?players=-,-,-,-"},
        {"the same penalties again change nothing", "rules", "rec:V4=120#7 rec:V4=118#7 ?pen3=200"},
        {"with the rules off the record changes nothing", "", "rec:H1=120#12 ?pen1=--- ?players=-,-,-,-"},
    });
}

// An input's effects are kept when a listener of its state gives an input of its own (the record following the
// board answers with its penalties).
TEST(Scorekeeper, EffectsSurviveAListenersInput) {
    Board board("rules");
    board.run("T:S");
    bool answered = false;
    board.keeper.addListener([&](const game::GameState&) {
        if (!std::exchange(answered, true)) {
            RecordedPenalties shown;
            shown[0].push_back({1, secondsToTime(120), 5});
            board.apply(board.keeper.followRecord(shown));
        }
    });
    board.clock.advance(300);
    const BoardEffects effects = board.keeper.tick();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(std::any_of(effects.begin(), effects.end(),
                            [](const BoardEffect& e) { return e.kind == BoardEffect::Kind::TickAt; }));
}

// A resumed game: the clocks the record ran are adopted by the penalty rules, and the record takes each back by
// its player (with the record's count of its time), even when that differs from the saved clock by over a second.
TEST(Scorekeeper, ResumedRecordClocksStayPut) {
    Board played("rules");
    played.run("rec:H1=120#12,H2=300#5 T:S +5000 T:S");
    Board board("rules");
    board.apply(board.keeper.resume(played.keeper.state()));
    board.run("?pen1=155 ?pen2=455 ?players=12,5,-,- rec:H2=290#5,H1=110#12 ?pen1=150 ?pen2=450 ?players=12,5,-,- "
              "V:+1 ?pen1=150");
}

// A resumed game: every clock stopped at its saved value, the view and the selection as saved.
TEST(Scorekeeper, ResumesASavedGame) {
    Board played("rules");
    played.run("1:2^2^4^ T:S +5000 T:C");
    game::GameState saved = played.keeper.state();
    saved.selected = game::Field::VisitorBack;
    Board board("rules");
    board.apply(board.keeper.resume(saved));
    board.run("?run=00000 ?tod=1 ?tick=1 ?c0=595 ?pen1=155 ?queued=240 ?minute=60000");
    EXPECT_EQ(board.keeper.state().selected, game::Field::VisitorBack);
    // The resumed rules know both penalties: a visitor goal releases the first minor and the double minor starts.
    board.run("V:+1 ?queued=");
}

// With the penalty rules on, F4 once the period's time is up: the game clock counts the intermission down while the
// penalty clocks stay frozen; at its end the horn, the next period and the game clock waiting at the period's length.
TEST(ScorekeeperTable, Intermission) {
    runRows({
        {"refused while the period has time left", "rules horn",
         "T:5\n T:* ?mode=0 ?fx=beep,refuse:TimeBack ?time=-5:00 ?run=00000"},
        {"with the rules off F4 does nothing", "horn", "tickon T:0\n +100 T:* ?mode=0 ?fx= ?run=00000 ?time=-0.0-"},
        {"refused while one runs", "rules", "T:0\n W:* ?mode=1 ?fx= W:* ?fx=beep,refuse:TimeBack ?mode=1"},
        {"penalties frozen through start/stop, then the horn and the next period", "rules horn IntermissionLength=60",
         "P:1 T:20\n T:S +60000x19 T:S 1:2\n T:S +60000 ?tick=0 ?time=-0.0- ?pen1=100 W:* ?mode=1 ?time=-1:00 "
         "?run=10000 +10000 ?time=50.0- ?pen1=100 T:S ?run=00000 T:S ?run=10000 1:I ?run=10000 ?fx= +10000x4 "
         "?mode=1 ?fx= +10000 ?mode=0 ?fx=play:G ?period=2 ?time=20:00 ?run=00000 ?c1=60 ?pen1=100 ?reset=1200"},
        {"a time typed during it is what is left, the reset time stays", "rules",
         "T:0\n tickon +100 W:* ?time=15:00 T:0.02\n ?run=00000 ?reset=0 T:S +1000x3 ?mode=0 ?time=20:00 ?period=1"},
        {"the period stops at 9", "rules", "P:9 T:0\n tickon +100 W:* T:0\n +100 ?mode=0 ?period=9"},
        {"reset calls it off", "rules", "T:0\n tickon +100 W:* T:R ?mode=0 ?period=0 ?run=00000 ?time=-0.0-"},
        {"a penalty typed during it waits for play", "rules",
         "T:0\n tickon +100 W:* 2:2^ ?run=10000 +5000 ?pen2=200 ?c2=120"},
    });
}

TEST(Scorekeeper, ResumesAnIntermission) {
    Board played("rules");
    played.run("1:2\n T:0\n tickon +100 W:* +5000");
    const game::GameState saved = played.keeper.state();
    ASSERT_TRUE(saved.intermission);
    Board board("rules");
    board.apply(board.keeper.resume(saved));
    board.run("?mode=1 ?run=00000 ?c0=895 T:S ?run=10000 +5000 ?c0=890 ?c1=120");
}
