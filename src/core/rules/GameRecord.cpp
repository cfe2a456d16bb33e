#include "GameRecord.h"
#include "core/feed/StateDocument.h"
#include "core/game/JsonReader.h"

#include <algorithm>
#include <cstddef>
#include <set>

namespace {

constexpr BookKind kKinds[] = {BookKind::Minor,          BookKind::BenchMinor,    BookKind::DoubleMinor,
                               BookKind::Major,          BookKind::MajorAndMinor, BookKind::Misconduct,
                               BookKind::GameMisconduct, BookKind::Match};
// The longest game clock reading a record may hold: 99:59.9.
constexpr TimeValue kLongestClock = secondsToTime(std::int64_t{100} * 60);

class LineWriter {
public:
    LineWriter(std::uint64_t seq, std::string_view type) {
        m_out = "{\"seq\":" + std::to_string(seq) + ",\"type\":" + jsonString(type);
    }
    void text(std::string_view name, std::string_view value) { key(name) += jsonString(value); }
    void number(std::string_view name, std::int64_t value) { key(name) += std::to_string(value); }
    void flag(std::string_view name, bool value) { key(name) += value ? "true" : "false"; }
    void team(Team value) { text("team", teamName(value)); }
    void texts(std::string_view name, const std::vector<std::string>& values) {
        std::string& out = key(name);
        out += '[';
        for (std::size_t i = 0; i < values.size(); ++i)
            out += (i > 0 ? "," : "") + jsonString(values[i]);
        out += ']';
    }
    void numbers(std::string_view name, const std::vector<int>& values) {
        std::string& out = key(name);
        out += '[';
        for (std::size_t i = 0; i < values.size(); ++i)
            out += (i > 0 ? "," : "") + std::to_string(values[i]);
        out += ']';
    }
    void time(const RecordTime& at, std::string_view prefix = "") {
        number(std::string(prefix) + (prefix.empty() ? "period" : "Period"), at.period);
        number(std::string(prefix) + (prefix.empty() ? "remaining" : "Remaining"), at.remaining);
    }
    std::string finish() { return m_out + "}\n"; }

private:
    std::string& key(std::string_view name) {
        m_out += ',';
        m_out += jsonString(name);
        m_out += ':';
        return m_out;
    }
    std::string m_out;
};

struct LineWriterVisitor {
    LineWriter& w;
    void operator()(const RecordHeader& h) const {
        w.text("format", kRecordFormat);
        w.number("version", kRecordVersion);
        w.text("date", h.date);
        w.text("venue", h.venue);
        w.text("game", h.gameNumber);
        w.text("competition", h.competition);
        w.text("home", h.homeTeam);
        w.text("visitor", h.visitorTeam);
        w.texts("referees", h.referees);
        w.texts("linesmen", h.linesmen);
        w.text("scorekeeper", h.scorekeeper);
        w.number("periodLength", h.periodLength);
    }
    void operator()(const RecordGoal& g) const {
        w.time(g.at);
        w.team(g.team);
        w.number("scorer", g.scorer);
        w.numbers("assists", g.assists);
        w.text("strength", g.strength);
        w.flag("emptyNet", g.emptyNet);
        if (g.penaltyShot)
            w.flag("penaltyShot", true);
        if (g.release > 0)
            w.number("release", static_cast<std::int64_t>(g.release));
    }
    void operator()(const RecordPenalty& p) const {
        w.time(p.at);
        w.team(p.team);
        w.number("player", p.player);
        w.number("servedBy", p.servedBy);
        w.text("infraction", p.infraction);
        w.text("kind", bookKindName(p.kind));
        w.number("minutes", p.minutes);
        w.flag("coincident", p.coincident);
        if (p.start)
            w.time(*p.start, "start");
        if (p.end)
            w.time(*p.end, "end");
    }
    void operator()(const RecordShots& s) const {
        w.number("period", s.period);
        w.team(s.team);
        w.number("count", s.count);
    }
    void operator()(const RecordTimeout& t) const {
        w.time(t.at);
        w.team(t.team);
    }
    void operator()(const RecordGoalkeeper& g) const {
        w.time(g.at);
        w.team(g.team);
        w.number("in", g.in);
        w.number("out", g.out);
    }
    void operator()(const RecordCorrection& c) const { w.number("voids", static_cast<std::int64_t>(c.voids)); }
    void operator()(const RecordEnd& e) const { w.time(e.at); }
};

const char* typeOf(const RecordItem& item) {
    static const char* const kTypes[] = {"header",  "goal",       "penalty",    "shots",
                                         "timeout", "goalkeeper", "correction", "end"};
    return kTypes[item.index()];
}

// Reads the fields of one line; the first problem is kept and ends the reading.
class FieldReader {
public:
    explicit FieldReader(const json::Object& object) : m_object(object) {}
    std::string problem;

    const json::Value* find(std::string_view name) const {
        const auto it = m_object.find(name);
        return it == m_object.end() ? nullptr : &it->second;
    }
    std::int64_t number(std::string_view name, std::int64_t low, std::int64_t high, std::int64_t fallback,
                        bool required = false) {
        const json::Value* v = find(name);
        if (v == nullptr) {
            if (required)
                fail(std::string("\"") + std::string(name) + "\" is missing");
            return fallback;
        }
        const std::int64_t* n = v->integer();
        if (n == nullptr || v->outOfRange || *n < low || *n > high) {
            fail(std::string("\"") + std::string(name) + "\" is not a number from " + std::to_string(low) + " to " +
                 std::to_string(high));
            return fallback;
        }
        return *n;
    }
    std::string text(std::string_view name) {
        const json::Value* v = find(name);
        if (v == nullptr)
            return {};
        const std::string* s = v->string();
        if (s == nullptr) {
            fail(std::string("\"") + std::string(name) + "\" is not a text");
            return {};
        }
        return s->substr(0, kMaxRecordText * 4); // UTF-8: up to four bytes a character
    }
    std::vector<std::string> texts(std::string_view name) {
        std::vector<std::string> out;
        const json::Value* v = find(name);
        if (v == nullptr)
            return out;
        const json::Array* a = v->array();
        if (a == nullptr) {
            fail(std::string("\"") + std::string(name) + "\" is not a list");
            return out;
        }
        for (const json::Value& item : *a) {
            const std::string* s = item.string();
            if (s == nullptr) {
                fail(std::string("\"") + std::string(name) + "\" holds something other than text");
                return {};
            }
            if (out.size() < 8)
                out.push_back(s->substr(0, kMaxRecordText * 4));
        }
        return out;
    }
    bool flag(std::string_view name) {
        const json::Value* v = find(name);
        if (v == nullptr)
            return false;
        const bool* b = v->boolean();
        if (b == nullptr) {
            fail(std::string("\"") + std::string(name) + "\" is not true or false");
            return false;
        }
        return *b;
    }
    Team team() {
        const std::string t = text("team");
        if (t == "home")
            return Team::Home;
        if (t == "visitor")
            return Team::Visitor;
        fail("\"team\" is not home or visitor");
        return Team::Home;
    }
    int player(std::string_view name) { return static_cast<int>(number(name, 0, kMaxPlayerNumber, 0)); }
    RecordTime time(std::string_view period = "period", std::string_view remaining = "remaining") {
        RecordTime at;
        at.period = static_cast<int>(number(period, 1, kMaxPeriod, 1, true));
        at.remaining = number(remaining, 0, kLongestClock, 0, true);
        return at;
    }
    std::optional<RecordTime> optionalTime(std::string_view period, std::string_view remaining) {
        if (find(period) == nullptr && find(remaining) == nullptr)
            return std::nullopt;
        return time(period, remaining);
    }
    void fail(std::string reason) {
        if (problem.empty())
            problem = std::move(reason);
    }

private:
    const json::Object& m_object;
};

std::optional<RecordItem> readItem(const std::string& type, FieldReader& r) {
    if (type == "header") {
        if (r.text("format") != kRecordFormat)
            r.fail("the header is not of a game record");
        if (r.number("version", 1, kRecordVersion, 1, true) > kRecordVersion)
            return std::nullopt;
        RecordHeader h;
        h.date = r.text("date");
        h.venue = r.text("venue");
        h.gameNumber = r.text("game");
        h.competition = r.text("competition");
        h.homeTeam = r.text("home");
        h.visitorTeam = r.text("visitor");
        h.referees = r.texts("referees");
        h.linesmen = r.texts("linesmen");
        h.scorekeeper = r.text("scorekeeper");
        h.periodLength = r.number("periodLength", secondsToTime(60), kLongestClock, kDefaultPeriodLength);
        return h;
    }
    if (type == "goal") {
        RecordGoal g;
        g.at = r.time();
        g.team = r.team();
        g.scorer = r.player("scorer");
        if (const json::Value* v = r.find("assists")) {
            const json::Array* a = v->array();
            if (a == nullptr || a->size() > 2) {
                r.fail("\"assists\" is not a list of at most two numbers");
            } else {
                for (const json::Value& n : *a) {
                    const std::int64_t* number = n.integer();
                    if (number == nullptr || *number < 1 || *number > kMaxPlayerNumber) {
                        r.fail("\"assists\" holds something other than a player's number");
                        break;
                    }
                    g.assists.push_back(static_cast<int>(*number));
                }
            }
        }
        g.strength = r.text("strength");
        if (!g.strength.empty() && g.strength != "EV" && g.strength != "PP" && g.strength != "SH" && g.strength != "EN")
            r.fail("\"strength\" is not EV, PP, SH or EN");
        g.emptyNet = r.flag("emptyNet");
        g.penaltyShot = r.flag("penaltyShot");
        g.release = static_cast<std::uint64_t>(r.number("release", 0, 1'000'000, 0));
        return g;
    }
    if (type == "penalty") {
        RecordPenalty p;
        p.at = r.time();
        p.team = r.team();
        p.player = r.player("player");
        p.servedBy = r.player("servedBy");
        p.infraction = r.text("infraction");
        const std::string kind = r.text("kind");
        const auto* found =
            std::find_if(std::begin(kKinds), std::end(kKinds), [&kind](BookKind k) { return kind == bookKindName(k); });
        if (found == std::end(kKinds))
            r.fail("\"kind\" is not a kind of penalty");
        else
            p.kind = *found;
        p.minutes = static_cast<int>(r.number("minutes", 0, 99, penaltyMinutes(p.kind)));
        p.coincident = r.flag("coincident");
        p.start = r.optionalTime("startPeriod", "startRemaining");
        p.end = r.optionalTime("endPeriod", "endRemaining");
        return p;
    }
    if (type == "shots") {
        RecordShots s;
        s.period = static_cast<int>(r.number("period", 1, kMaxPeriod, 1, true));
        s.team = r.team();
        s.count = static_cast<int>(r.number("count", -99, 99, 1));
        return s;
    }
    if (type == "timeout") {
        RecordTimeout t;
        t.at = r.time();
        t.team = r.team();
        return t;
    }
    if (type == "goalkeeper") {
        RecordGoalkeeper g;
        g.at = r.time();
        g.team = r.team();
        g.in = r.player("in");
        g.out = r.player("out");
        return g;
    }
    if (type == "correction") {
        RecordCorrection c;
        c.voids = static_cast<std::uint64_t>(r.number("voids", 1, INT64_MAX, 0, true));
        return c;
    }
    if (type == "end") {
        RecordEnd e;
        e.at = r.time();
        return e;
    }
    r.fail("\"type\" is not a kind of record entry");
    return std::nullopt;
}

} // namespace

std::string recordLine(const RecordEntry& entry) {
    LineWriter w(entry.seq, typeOf(entry.item));
    std::visit(LineWriterVisitor{w}, entry.item);
    return w.finish();
}

std::string GameRecord::append(RecordItem item) {
    RecordEntry entry{++m_lastSeq, std::move(item)};
    m_entries.push_back(entry);
    return recordLine(entry);
}

void GameRecord::restore(RecordEntry entry) {
    m_lastSeq = std::max(m_lastSeq, entry.seq);
    m_entries.push_back(std::move(entry));
}

std::vector<RecordEntry> GameRecord::standing() const {
    std::set<std::uint64_t> voided;
    for (const RecordEntry& e : m_entries)
        if (const auto* c = std::get_if<RecordCorrection>(&e.item))
            voided.insert(c->voids);
    std::vector<RecordEntry> out;
    for (const RecordEntry& e : m_entries)
        if (!std::holds_alternative<RecordCorrection>(e.item) && voided.count(e.seq) == 0)
            out.push_back(e);
    return out;
}

RecordHeader GameRecord::header() const {
    RecordHeader header;
    for (const RecordEntry& e : standing())
        if (const auto* h = std::get_if<RecordHeader>(&e.item))
            header = *h;
    return header;
}

bool GameRecord::ended() const {
    const auto s = standing();
    return std::any_of(s.begin(), s.end(),
                       [](const RecordEntry& e) { return std::holds_alternative<RecordEnd>(e.item); });
}

RecordReading readRecord(std::string_view text) {
    RecordReading reading;
    std::set<std::uint64_t> seen;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t br = text.find('\n');
        const bool lastWithoutBreak = br == std::string_view::npos;
        std::string_view line = text.substr(0, lastWithoutBreak ? text.size() : br);
        text.remove_prefix(lastWithoutBreak ? text.size() : br + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;

        std::string problem;
        std::optional<RecordEntry> entry;
        if (line.size() > kMaxRecordLine) {
            problem = "the line is longer than " + std::to_string(kMaxRecordLine) + " bytes";
        } else {
            const json::ParseResult parsed = json::parse(line);
            const json::Object* object = parsed.value ? parsed.value->object() : nullptr;
            if (!parsed.error.empty()) {
                problem = parsed.error;
            } else if (object == nullptr) {
                problem = "the line is not a JSON object";
            } else {
                FieldReader r(*object);
                const auto seq = static_cast<std::uint64_t>(r.number("seq", 1, INT64_MAX, 0, true));
                const std::string type = r.text("type");
                std::optional<RecordItem> item;
                if (r.problem.empty())
                    item = readItem(type, r);
                if (r.problem.empty() && !item)
                    r.fail("the record is of a newer version");
                if (r.problem.empty() && seen.count(seq) != 0)
                    r.fail("sequence number " + std::to_string(seq) + " is used twice");
                if (r.problem.empty())
                    entry = RecordEntry{seq, std::move(*item)};
                problem = r.problem;
            }
        }
        if (entry) {
            seen.insert(entry->seq);
            reading.record.restore(std::move(*entry));
        } else if (lastWithoutBreak) {
            reading.tornLastLine = true;
            reading.problems.push_back("line " + std::to_string(lineNumber) + ": the last line was cut off (" +
                                       problem + ") and is dropped");
        } else {
            reading.problems.push_back("line " + std::to_string(lineNumber) + ": " + problem);
        }
    }
    return reading;
}
