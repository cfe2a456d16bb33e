#include "GameJournal.h"
#include "core/game/JsonReader.h"
#include <algorithm>
#include <initializer_list>

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

// ---- The penalty rules' record ---------------------------------------------------------------------------
// "penaltyRules":{"clocks":[null or [id,kind,full,remaining] x4],"queues":[[[id,kind,full]...],[...]],
//                 "nextId":n,"nextSerial":n,"sheet":[entry...],"dropped":n}   ("dropped" only when above 0)
// A sheet entry is an array of whole numbers: [0,period,clock] a period, [1,period,clock,team,before,after] a
// score, [2,period,clock,event,serial,team,penaltyClock,kind,id,full,before,after,undoes] a penalty record.
// Kinds, teams and events are numbered as their enumerations.

void appendInts(std::string& out, std::initializer_list<std::int64_t> values) {
    out += '[';
    bool first = true;
    for (std::int64_t v : values) {
        out += first ? "" : ",";
        first = false;
        out += std::to_string(v);
    }
    out += ']';
}

std::int64_t num(auto e) {
    return static_cast<std::int64_t>(e);
}

void appendRules(std::string& out, const RulesRecord& r) {
    const PenaltyRulesState& p = r.penalties;
    out += "{\"clocks\":[";
    for (std::size_t i = 0; i < p.clocks.size(); ++i) {
        out += i > 0 ? "," : "";
        if (const auto& c = p.clocks[i]) {
            appendInts(out, {num(c->id), num(c->kind), c->fullTime, c->remaining});
        } else {
            out += "null";
        }
    }
    out += "],\"queues\":[";
    for (std::size_t t = 0; t < p.queues.size(); ++t) {
        out += t > 0 ? ",[" : "[";
        for (std::size_t i = 0; i < p.queues[t].size(); ++i) {
            const QueuedPenalty& q = p.queues[t][i];
            out += i > 0 ? "," : "";
            appendInts(out, {num(q.id), num(q.kind), q.fullTime});
        }
        out += ']';
    }
    out += "],\"nextId\":" + std::to_string(p.nextId) + ",\"nextSerial\":" + std::to_string(p.nextSerial);
    out += ",\"sheet\":[";
    for (std::size_t i = 0; i < r.sheet.size(); ++i) {
        const SheetEvent& e = r.sheet[i];
        out += i > 0 ? ",\n" : "\n";
        switch (e.kind) {
        case SheetEvent::Kind::Period:
            appendInts(out, {0, e.at.period, e.at.gameClock});
            break;
        case SheetEvent::Kind::Score:
            appendInts(out, {1, e.at.period, e.at.gameClock, num(e.team), e.scoreBefore, e.scoreAfter});
            break;
        case SheetEvent::Kind::Penalty: {
            const PenaltyEvent& x = e.penalty;
            appendInts(out, {2, e.at.period, e.at.gameClock, num(x.kind), num(x.serial), num(x.team), x.clock,
                             num(x.penalty), num(x.penaltyId), x.fullTime, x.before, x.after, num(x.undoes)});
            break;
        }
        }
    }
    out += ']';
    if (r.dropped > 0) {
        out += ",\"dropped\":" + std::to_string(r.dropped);
    }
    out += '}';
}

// Whole numbers of an array of exactly n (or, with atLeast, at least n) entries.
bool intsOf(const json::Value& v, std::size_t n, std::vector<std::int64_t>& out) {
    const json::Array* a = v.array();
    if (a == nullptr || a->size() != n) {
        return false;
    }
    out.clear();
    for (const json::Value& x : *a) {
        if (x.integer() == nullptr || x.outOfRange) {
            return false;
        }
        out.push_back(*x.integer());
    }
    return true;
}

bool inRange(std::int64_t v, std::int64_t low, std::int64_t high) {
    return v >= low && v <= high;
}

constexpr std::int64_t kLastPenaltyKind = static_cast<std::int64_t>(PenaltyKind::Timed);
constexpr std::int64_t kLastPenaltyEvent = static_cast<std::int64_t>(PenaltyEventKind::Requeued);

bool readSheetEntry(const json::Value& v, SheetEvent& e) {
    const json::Array* a = v.array();
    if (a == nullptr || a->empty() || (*a)[0].integer() == nullptr) {
        return false;
    }
    std::vector<std::int64_t> n;
    const std::int64_t kind = *(*a)[0].integer();
    const std::size_t sizes[] = {3, 6, 13};
    if (!inRange(kind, 0, 2) || !intsOf(v, sizes[kind], n)) {
        return false;
    }
    if (!inRange(n[1], 0, 9) || !inRange(n[2], 0, kMaxGameClockSet)) {
        return false;
    }
    e.at = GameMoment{static_cast<int>(n[1]), n[2]};
    if (kind == 0) {
        e.kind = SheetEvent::Kind::Period;
        return true;
    }
    if (kind == 1) {
        e.kind = SheetEvent::Kind::Score;
        if (!inRange(n[3], 0, 1) || !inRange(n[4], 0, 99) || !inRange(n[5], 0, 99)) {
            return false;
        }
        e.team = static_cast<Team>(n[3]);
        e.scoreBefore = static_cast<int>(n[4]);
        e.scoreAfter = static_cast<int>(n[5]);
        return true;
    }
    e.kind = SheetEvent::Kind::Penalty;
    PenaltyEvent& x = e.penalty;
    if (!inRange(n[3], 0, kLastPenaltyEvent) || n[4] < 0 || !inRange(n[5], 0, 1) || !inRange(n[6], 0, 4) ||
        !inRange(n[7], 0, kLastPenaltyKind) || n[8] < 0 || !inRange(n[9], 0, kLongestPenalty) ||
        !inRange(n[10], 0, kLongestPenalty) || !inRange(n[11], 0, kLongestPenalty) || n[12] < 0) {
        return false;
    }
    x.kind = static_cast<PenaltyEventKind>(n[3]);
    x.serial = static_cast<std::uint64_t>(n[4]);
    x.team = static_cast<Team>(n[5]);
    x.clock = static_cast<int>(n[6]);
    x.penalty = static_cast<PenaltyKind>(n[7]);
    x.penaltyId = static_cast<std::uint64_t>(n[8]);
    x.fullTime = n[9];
    x.before = n[10];
    x.after = n[11];
    x.at = e.at;
    x.undoes = static_cast<std::uint64_t>(n[12]);
    e.team = x.team;
    return true;
}

// The rules' record, or nothing when any of it is not what the rules could have written; why in `why`.
std::optional<RulesRecord> readRules(const json::Value& v, std::string& why) {
    why = "it is not a record the penalty rules write";
    const json::Object* o = v.object();
    if (o == nullptr) {
        return std::nullopt;
    }
    const auto part = [o](std::string_view name) -> const json::Value* {
        const auto it = o->find(name);
        return it == o->end() ? nullptr : &it->second;
    };
    const json::Value* clocks = part("clocks");
    const json::Value* queues = part("queues");
    const json::Value* nextId = part("nextId");
    const json::Value* nextSerial = part("nextSerial");
    const json::Value* sheet = part("sheet");
    if (clocks == nullptr || clocks->array() == nullptr || clocks->array()->size() != 4 || queues == nullptr ||
        queues->array() == nullptr || queues->array()->size() != 2 || nextId == nullptr ||
        nextId->integer() == nullptr || nextId->outOfRange || *nextId->integer() < 1 || nextSerial == nullptr ||
        nextSerial->integer() == nullptr || nextSerial->outOfRange || *nextSerial->integer() < 1 || sheet == nullptr ||
        sheet->array() == nullptr || sheet->array()->size() > kMaxSheetEvents) {
        return std::nullopt;
    }
    RulesRecord r;
    PenaltyRulesState& p = r.penalties;
    std::vector<std::int64_t> n;
    for (std::size_t i = 0; i < 4; ++i) {
        const json::Value& c = (*clocks->array())[i];
        if (c.isNull()) {
            continue;
        }
        if (!intsOf(c, 4, n) || n[0] < 0 || !inRange(n[1], 0, kLastPenaltyKind)) {
            return std::nullopt;
        }
        p.clocks[i] = PenaltyOnClock{static_cast<std::uint64_t>(n[0]), static_cast<PenaltyKind>(n[1]), n[2], n[3]};
    }
    for (std::size_t t = 0; t < 2; ++t) {
        const json::Array* q = (*queues->array())[t].array();
        if (q == nullptr || q->size() > kMaxQueued) {
            return std::nullopt;
        }
        for (const json::Value& w : *q) {
            if (!intsOf(w, 3, n) || n[0] < 0 || !inRange(n[1], 0, kLastPenaltyKind)) {
                return std::nullopt;
            }
            p.queues[t].push_back(
                QueuedPenalty{static_cast<std::uint64_t>(n[0]), static_cast<PenaltyKind>(n[1]), n[2]});
        }
    }
    p.nextId = static_cast<std::uint64_t>(*nextId->integer());
    p.nextSerial = static_cast<std::uint64_t>(*nextSerial->integer());
    // The rules themselves say whether the clocks and queues could have come from them.
    if (!PenaltyRules::fromState(p)) {
        why = "its penalty clocks and queues are not a state the penalty rules can take up";
        return std::nullopt;
    }
    for (const json::Value& entry : *sheet->array()) {
        SheetEvent e;
        if (!readSheetEntry(entry, e)) {
            why = "an entry of its game sheet cannot be read";
            return std::nullopt;
        }
        r.sheet.push_back(e);
    }
    if (const json::Value* dropped = part("dropped")) {
        if (dropped->integer() == nullptr || dropped->outOfRange || *dropped->integer() < 0) {
            why = "its count of game sheet entries let go is not a count";
            return std::nullopt;
        }
        r.dropped = static_cast<std::uint64_t>(*dropped->integer());
    }
    return r;
}

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
    // Only once a player number has been noted, so that a board without them saves what it always did.
    if (anyPenaltyPlayer(s)) {
        member(out, "penaltyPlayers");
        out += '[';
        for (std::size_t i = 0; i < s.penaltyPlayers.size(); ++i) {
            out += i > 0 ? "," : "";
            out += s.penaltyPlayers[i] >= 0 ? std::to_string(s.penaltyPlayers[i]) : std::string("null");
        }
        out += ']';
    }
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
    // Only during an intermission, so that a board outside one saves what it always did.
    if (s.intermission) {
        member(out, "intermission");
        appendBool(out, true);
    }
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
    // Only with the penalty rules in use, so that a board without them saves what it always did.
    if (!s.rules.empty()) {
        member(out, "penaltyRules");
        appendRules(out, s.rules);
    }
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
    if (ok) {
        // Optional: a journal without it has no player numbers. A part that is not four numbers or nulls is left
        // out whole, a number the board cannot show is held to none; the game is kept either way.
        if (const auto players = root->find("penaltyPlayers"); players != root->end()) {
            const json::Array* list = players->second.array();
            if (list == nullptr || list->size() != kPenaltyCount) {
                ++r.held;
            } else {
                for (std::size_t i = 0; i < kPenaltyCount; ++i) {
                    const json::Value& v = (*list)[i];
                    const std::int64_t* n = v.integer();
                    if (n != nullptr && !v.outOfRange && *n >= 0 && *n <= kMaxPlayerNumber) {
                        s.penaltyPlayers[i] = static_cast<int>(*n);
                    } else if (!v.isNull()) {
                        ++r.held;
                    }
                }
            }
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
    // Journals written outside an intermission (and by older programs) have no such part.
    if (const auto intermission = root->find("intermission"); ok && intermission != root->end()) {
        if (intermission->second.boolean() != nullptr) {
            s.intermission = *intermission->second.boolean();
        } else {
            ++r.held;
        }
    }
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
    if (ok) {
        // A journal of a board without the penalty rules has no such part.
        if (const auto rules = root->find("penaltyRules"); rules != root->end()) {
            std::string why;
            std::optional<RulesRecord> record = readRules(rules->second, why);
            if (!record) {
                // The rules' part alone is lost: scores, clocks and penalties on the board are kept.
                result.dropped = "The penalty rules' record of the saved game was left out: " + why + ".";
                ++r.held;
            } else {
                s.rules = std::move(*record);
            }
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

bool anyClockRuns(const GameState& state) {
    return std::any_of(state.clocks.begin(), state.clocks.end(), [](const ClockRecord& c) { return c.running; });
}

bool onlyClockProgress(const GameState& before, const GameState& after) {
    bool runs = false;
    GameState moved = before;
    for (std::size_t i = 0; i < moved.clocks.size(); ++i) {
        if (moved.clocks[i].running && after.clocks[i].running) {
            moved.clocks[i].used = after.clocks[i].used;
            runs = true;
        }
    }
    if (!runs) {
        return false;
    }
    moved.timeDigits = after.timeDigits;
    moved.colon = after.colon;
    moved.penaltyDigits = after.penaltyDigits;
    return moved == after && before != after;
}

JournalPlace journalPlaceToRead(FileKind atName) {
    switch (atName) {
    case FileKind::Link:
        return JournalPlace::IsLink;
    case FileKind::Other:
        return JournalPlace::NotAFile;
    case FileKind::Missing:
    case FileKind::Regular:
        break;
    }
    return JournalPlace::Usable;
}

JournalPlace journalPlace(FileKind atName, const FolderAccess& folder) {
    if (folderOpenToOthers(folder)) {
        return JournalPlace::FolderOpenToOthers;
    }
    return journalPlaceToRead(atName);
}

} // namespace game
