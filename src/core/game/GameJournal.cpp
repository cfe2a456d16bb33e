#include "GameJournal.h"
#include "core/game/JsonReader.h"
#include <algorithm>

namespace game {

namespace {

// The latest moment a journal may name: the last millisecond of the year 9999.
constexpr std::int64_t kLatestSave = 253402300799999;

void appendBool(std::string& out, bool b) {
    out += b ? "true" : "false";
}

template <std::size_t N> void appendDigits(std::string& out, const std::array<int, N>& digits) {
    out += '[';
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0) {
            out += ',';
        }
        out += std::to_string(digits[i]);
    }
    out += ']';
}

void member(std::string& out, std::string_view name) {
    out += ",\n\"";
    out += name;
    out += "\":";
}

// Reads one journal, counting every value it has to bring into range.
class Reader {
public:
    explicit Reader(const json::Object& root) : m_root(root) {}

    std::string problem;
    int held = 0;

    const json::Value* find(std::string_view name) {
        const auto it = m_root.find(name);
        if (it == m_root.end()) {
            missing(name);
            return nullptr;
        }
        return &it->second;
    }

    void missing(std::string_view name) {
        if (problem.empty()) {
            problem = "the part \"" + std::string(name) + "\" is missing or not of its kind";
        }
    }

    std::int64_t clamp(const json::Value& v, std::int64_t low, std::int64_t high) {
        const std::int64_t x = *v.integer();
        const std::int64_t c = std::clamp(x, low, high);
        if (c != x || v.outOfRange) {
            ++held;
        }
        return c;
    }

    // A time held to [low, high] and cut down to its tenth.
    TimeValue time(const json::Value& v, TimeValue low, TimeValue high) {
        const TimeValue t = clamp(v, low, high);
        const TimeValue tenths = t - t % kTicksPerTenth;
        if (tenths != t) {
            ++held;
        }
        return tenths;
    }

    bool integer(std::string_view name, std::int64_t low, std::int64_t high, std::int64_t& out) {
        const json::Value* v = find(name);
        if (v == nullptr || v->integer() == nullptr) {
            missing(name);
            return false;
        }
        out = clamp(*v, low, high);
        return true;
    }

    bool boolean(const json::Value* v, std::string_view name, bool& out) {
        if (v == nullptr || v->boolean() == nullptr) {
            missing(name);
            return false;
        }
        out = *v->boolean();
        return true;
    }

    bool boolean(std::string_view name, bool& out) { return boolean(find(name), name, out); }

    template <std::size_t N> bool digits(const json::Value* v, std::string_view name, std::array<int, N>& out) {
        const json::Array* a = v != nullptr ? v->array() : nullptr;
        if (a == nullptr || a->size() != N) {
            missing(name);
            return false;
        }
        for (std::size_t i = 0; i < N; ++i) {
            if ((*a)[i].integer() == nullptr) {
                missing(name);
                return false;
            }
            out[i] = static_cast<int>(clamp((*a)[i], -1, 9));
        }
        return true;
    }

    template <std::size_t N> bool digits(std::string_view name, std::array<int, N>& out) {
        return digits(find(name), name, out);
    }

    template <std::size_t N> const json::Array* list(std::string_view name) {
        const json::Value* v = find(name);
        const json::Array* a = v != nullptr ? v->array() : nullptr;
        if (a == nullptr || a->size() != N) {
            missing(name);
            return nullptr;
        }
        return a;
    }

private:
    const json::Object& m_root;
};

} // namespace

std::string writeJournal(const GameState& s, std::int64_t savedAtMillis, const std::vector<GameEvent>* events) {
    std::string out;
    out.reserve(900);
    out += "{\"format\":\"";
    out += kJournalFormat;
    out += '"';
    member(out, "version");
    out += std::to_string(kJournalVersion);
    member(out, "savedAt");
    out += std::to_string(savedAtMillis);
    member(out, "timeDigits");
    appendDigits(out, s.timeDigits);
    member(out, "colon");
    appendBool(out, s.colon);
    member(out, "homeDigits");
    appendDigits(out, s.homeDigits);
    member(out, "visitorDigits");
    appendDigits(out, s.visitorDigits);
    member(out, "periodDigits");
    appendDigits(out, s.periodDigits);
    member(out, "penaltyDigits");
    out += '[';
    for (std::size_t i = 0; i < s.penaltyDigits.size(); ++i) {
        out += i > 0 ? "," : "";
        appendDigits(out, s.penaltyDigits[i]);
    }
    out += ']';
    member(out, "penaltyLights");
    out += '[';
    for (std::size_t i = 0; i < s.penaltyLights.size(); ++i) {
        out += i > 0 ? "," : "";
        appendBool(out, s.penaltyLights[i]);
    }
    out += ']';
    member(out, "whoGoal");
    out += std::to_string(s.whoGoal);
    member(out, "timeOfDay");
    appendBool(out, s.timeOfDay);
    member(out, "selected");
    if (s.selected) {
        out += '"';
        out += fieldName(*s.selected);
        out += '"';
    } else {
        out += "null";
    }
    member(out, "resetTime");
    out += std::to_string(s.resetTime);
    member(out, "zeroBuzzed");
    appendBool(out, s.zeroBuzzed);
    member(out, "clocks");
    out += '[';
    for (std::size_t i = 0; i < s.clocks.size(); ++i) {
        const ClockRecord& c = s.clocks[i];
        out += i > 0 ? ",\n" : "\n";
        out += "{\"set\":" + std::to_string(c.setTime) + ",\"used\":" + std::to_string(c.used) + ",\"running\":";
        appendBool(out, c.running);
        out += ",\"countUp\":";
        appendBool(out, c.countUp);
        out += '}';
    }
    out += ']';
    if (events != nullptr) {
        member(out, "events");
        out += eventsJson(*events);
    }
    out += "}\n";
    return out;
}

JournalReading readJournal(std::string_view text) {
    JournalReading result;
    const auto refuse = [&result](const std::string& why) {
        result.game.reset();
        result.problem = "The saved game cannot be used: " + why + ".";
        return result;
    };
    const json::ParseResult parsed = json::parse(text);
    if (!parsed.value) {
        return refuse(parsed.error);
    }
    const json::Object* root = parsed.value->object();
    if (root == nullptr) {
        return refuse("it is not a saved game");
    }
    const auto format = root->find("format");
    if (format == root->end() || format->second.string() == nullptr || *format->second.string() != kJournalFormat) {
        return refuse("it is not a saved game");
    }
    const auto version = root->find("version");
    if (version == root->end() || version->second.integer() == nullptr) {
        return refuse("it names no version");
    }
    const std::int64_t v = *version->second.integer();
    if (v > kJournalVersion || version->second.outOfRange) {
        return refuse("it was saved by a newer Rinkmaster");
    }
    if (v < 1) {
        return refuse("it names an unknown version");
    }

    Reader r(*root);
    SavedGame saved;
    GameState& s = saved.state;
    bool ok = r.integer("savedAt", 0, kLatestSave, saved.savedAtMillis);
    ok = ok && r.digits("timeDigits", s.timeDigits) && r.boolean("colon", s.colon);
    ok = ok && r.digits("homeDigits", s.homeDigits) && r.digits("visitorDigits", s.visitorDigits);
    ok = ok && r.digits("periodDigits", s.periodDigits);
    if (ok) {
        const json::Array* penalties = r.list<kPenaltyCount>("penaltyDigits");
        ok = penalties != nullptr;
        for (std::size_t i = 0; ok && i < kPenaltyCount; ++i) {
            ok = r.digits(&(*penalties)[i], "penaltyDigits", s.penaltyDigits[i]);
        }
    }
    if (ok) {
        const json::Array* lights = r.list<kPenaltyCount>("penaltyLights");
        ok = lights != nullptr;
        for (std::size_t i = 0; ok && i < kPenaltyCount; ++i) {
            ok = r.boolean(&(*lights)[i], "penaltyLights", s.penaltyLights[i]);
        }
    }
    std::int64_t whoGoal = 0;
    ok = ok && r.integer("whoGoal", INT64_MIN, INT64_MAX, whoGoal);
    if (ok && (whoGoal < 0 || whoGoal > 2)) {
        whoGoal = 0;
        ++r.held;
    }
    s.whoGoal = static_cast<int>(whoGoal);
    ok = ok && r.boolean("timeOfDay", s.timeOfDay);
    if (ok) {
        const json::Value* selected = r.find("selected");
        if (selected == nullptr || !(selected->isNull() || selected->string() != nullptr)) {
            r.missing("selected");
            ok = false;
        } else if (selected->string() != nullptr) {
            s.selected = fieldNamed(*selected->string());
            if (!s.selected) {
                ++r.held;
            }
        }
    }
    if (ok) {
        const json::Value* reset = r.find("resetTime");
        ok = reset != nullptr && reset->integer() != nullptr;
        if (ok) {
            s.resetTime = r.time(*reset, 0, kMaxGameClockSet);
        } else {
            r.missing("resetTime");
        }
    }
    ok = ok && r.boolean("zeroBuzzed", s.zeroBuzzed);
    if (ok) {
        const json::Array* clocks = r.list<kClockCount>("clocks");
        ok = clocks != nullptr;
        for (std::size_t i = 0; ok && i < kClockCount; ++i) {
            const json::Object* c = (*clocks)[i].object();
            const auto field = [c](std::string_view name) -> const json::Value* {
                if (c == nullptr) {
                    return nullptr;
                }
                const auto it = c->find(name);
                return it == c->end() ? nullptr : &it->second;
            };
            const json::Value* set = field("set");
            const json::Value* used = field("used");
            if (set == nullptr || set->integer() == nullptr || used == nullptr || used->integer() == nullptr) {
                r.missing("clocks");
                ok = false;
                break;
            }
            ClockRecord& rec = s.clocks[i];
            ok = r.boolean(field("running"), "clocks", rec.running) &&
                 r.boolean(field("countUp"), "clocks", rec.countUp);
            if (!ok) {
                break;
            }
            rec.setTime = r.time(*set, 0, i == 0 ? kMaxGameClockSet : kMaxPenaltySet);
            // A clock cannot have run backwards, nor (counting down) used more than it was set to.
            rec.used = r.time(*used, 0, rec.countUp ? kMaxGameClockSet : rec.setTime);
        }
    }
    if (!ok) {
        return refuse(r.problem);
    }
    if (const auto events = root->find("events"); events != root->end()) {
        EventsReading list = readEvents(events->second);
        if (list.problem.empty()) {
            result.events = std::move(list.events);
            r.held += list.heldValues;
        } else {
            ++r.held;
        }
    }
    result.game = std::move(saved);
    result.heldValues = r.held;
    return result;
}

} // namespace game
