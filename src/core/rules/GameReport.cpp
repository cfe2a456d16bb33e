#include "GameReport.h"
#include "core/Csv.h"

#include <algorithm>

namespace {

int side(Team team) {
    return team == Team::Home ? 0 : 1;
}

// The moment in game time (play since the opening face-off), for ordering and counting.
TimeValue gameTime(const RecordTime& at, TimeValue periodLength) {
    const TimeValue remaining = std::clamp<TimeValue>(at.remaining, 0, periodLength);
    return static_cast<TimeValue>(at.period - 1) * periodLength + (periodLength - remaining);
}

std::string numberText(int number) {
    return number > 0 ? std::to_string(number) : std::string();
}

std::string momentText(const RecordTime& at, const RecordHeader& header, SheetTimeStyle style) {
    return "P" + std::to_string(at.period) + " " + sheetTime(at.remaining, header.periodLength, style);
}

std::string teamNameOf(const RecordHeader& header, Team team) {
    const std::string& name = team == Team::Home ? header.homeTeam : header.visitorTeam;
    if (!name.empty())
        return name;
    return team == Team::Home ? "Home" : "Visitor";
}

bool reducesStrength(const RecordPenalty& p) {
    switch (p.kind) {
    case BookKind::Minor:
    case BookKind::BenchMinor:
    case BookKind::DoubleMinor:
    case BookKind::Major:
    case BookKind::MajorAndMinor:
        return !p.coincident;
    default:
        return false;
    }
}

// Skaters on the ice at a goal: five less each reducing penalty running then (at most two less).
Strength strengthAt(const std::vector<RecordPenalty>& penalties, TimeValue when, TimeValue periodLength,
                    TimeValue gameEnd) {
    std::array<int, 2> shortBy{};
    for (const RecordPenalty& p : penalties) {
        if (!reducesStrength(p) || !p.start)
            continue;
        const TimeValue from = gameTime(*p.start, periodLength);
        const TimeValue to = p.end ? gameTime(*p.end, periodLength) : gameEnd;
        if (from < when && when <= to)
            ++shortBy[static_cast<std::size_t>(side(p.team))];
    }
    const int most = kFullStrength - kFewestSkaters;
    return Strength{kFullStrength - std::min(shortBy[0], most), kFullStrength - std::min(shortBy[1], most)};
}

template <typename T> void sortByTime(std::vector<std::pair<TimeValue, T>>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

void row(std::string& out, std::initializer_list<std::string> cells) {
    bool first = true;
    for (const std::string& cell : cells) {
        if (!first)
            out += ',';
        out += csvField(cell);
        first = false;
    }
    out += "\r\n";
}

} // namespace

std::string durationText(TimeValue duration) {
    const std::int64_t seconds = std::max<TimeValue>(0, duration) / kTicksPerSecond;
    const std::int64_t s = seconds % 60;
    return std::to_string(seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

std::string sheetTime(TimeValue remaining, TimeValue periodLength, SheetTimeStyle style) {
    remaining = std::clamp<TimeValue>(remaining, 0, periodLength);
    if (style == SheetTimeStyle::Remaining)
        return durationText(roundUpToWholeSecond(remaining));
    return durationText(elapsedInPeriod(periodLength, remaining));
}

GameReport makeGameReport(const GameRecord& record, SheetTimeStyle style) {
    GameReport report;
    report.timeStyle = style;
    report.header = record.header();
    const RecordHeader& h = report.header;
    const TimeValue length = h.periodLength > 0 ? h.periodLength : kDefaultPeriodLength;

    std::vector<std::pair<TimeValue, RecordGoal>> goals;
    std::vector<std::pair<TimeValue, RecordPenalty>> penalties;
    std::vector<std::pair<TimeValue, RecordGoalkeeper>> keepers;
    std::vector<std::pair<TimeValue, RecordTimeout>> timeouts;
    std::vector<RecordShots> shots;
    std::optional<RecordTime> endedAt;
    int lastPeriod = 3;
    for (const RecordEntry& e : record.standing()) {
        if (const auto* g = std::get_if<RecordGoal>(&e.item)) {
            goals.emplace_back(gameTime(g->at, length), *g);
            lastPeriod = std::max(lastPeriod, g->at.period);
        } else if (const auto* p = std::get_if<RecordPenalty>(&e.item)) {
            penalties.emplace_back(gameTime(p->at, length), *p);
            lastPeriod = std::max(lastPeriod, p->at.period);
        } else if (const auto* k = std::get_if<RecordGoalkeeper>(&e.item)) {
            keepers.emplace_back(gameTime(k->at, length), *k);
        } else if (const auto* t = std::get_if<RecordTimeout>(&e.item)) {
            timeouts.emplace_back(gameTime(t->at, length), *t);
        } else if (const auto* s = std::get_if<RecordShots>(&e.item)) {
            shots.push_back(*s);
            lastPeriod = std::max(lastPeriod, s->period);
        } else if (const auto* end = std::get_if<RecordEnd>(&e.item)) {
            endedAt = end->at;
            lastPeriod = std::max(lastPeriod, end->at.period);
        }
    }
    report.ended = endedAt.has_value();
    report.periods = lastPeriod;
    const TimeValue gameEnd = endedAt ? gameTime(*endedAt, length) : static_cast<TimeValue>(lastPeriod) * length;
    sortByTime(goals);
    sortByTime(penalties);
    sortByTime(keepers);
    sortByTime(timeouts);

    std::vector<RecordPenalty> allPenalties;
    allPenalties.reserve(penalties.size());
    for (const auto& [when, p] : penalties)
        allPenalties.push_back(p);

    for (const auto& [when, g] : goals) {
        ReportGoal r;
        r.period = g.at.period;
        r.time = sheetTime(g.at.remaining, length, style);
        r.side = g.team;
        r.team = teamNameOf(h, g.team);
        r.scorer = numberText(g.scorer);
        r.firstAssist = g.assists.size() > 0 ? numberText(g.assists[0]) : std::string();
        r.secondAssist = g.assists.size() > 1 ? numberText(g.assists[1]) : std::string();
        if (g.emptyNet)
            r.strength = "EN";
        else if (!g.strength.empty())
            r.strength = g.strength;
        else
            r.strength = goalStrengthLabel(strengthAt(allPenalties, when, length, gameEnd), g.team);
        ++report.score[static_cast<std::size_t>(side(g.team))];
        r.score = std::to_string(report.score[0]) + "-" + std::to_string(report.score[1]);
        report.goals.push_back(std::move(r));
    }

    for (const auto& [when, p] : penalties) {
        ReportPenalty r;
        r.period = p.at.period;
        r.time = sheetTime(p.at.remaining, length, style);
        r.side = p.team;
        r.team = teamNameOf(h, p.team);
        r.player = numberText(p.player);
        r.servedBy = numberText(p.servedBy);
        r.infraction = p.infraction;
        r.kind = bookKindName(p.kind);
        r.minutes = p.minutes;
        r.start = p.start ? momentText(*p.start, h, style) : std::string();
        r.end = p.end ? momentText(*p.end, h, style) : std::string();
        report.penaltyMinutes[static_cast<std::size_t>(side(p.team))] += std::max(0, p.minutes);
        report.penalties.push_back(std::move(r));
    }

    // Goalkeepers: each change closes the one in the net and opens the next; the game's end closes the last.
    struct InNet {
        int number = 0;
        RecordTime from;
        TimeValue since = 0;
    };
    std::array<std::optional<InNet>, 2> inNet;
    auto close = [&](Team team, const RecordTime& at, TimeValue when, bool atEnd) {
        auto& current = inNet[static_cast<std::size_t>(side(team))];
        if (!current)
            return;
        ReportGoalkeeper r;
        r.side = team;
        r.team = teamNameOf(h, team);
        r.number = numberText(current->number);
        r.in = momentText(current->from, h, style);
        r.out = atEnd && !endedAt ? std::string() : momentText(at, h, style);
        r.minutes = durationText(when - current->since);
        report.goalkeepers.push_back(std::move(r));
        current.reset();
    };
    for (const auto& [when, k] : keepers) {
        close(k.team, k.at, when, false);
        if (k.in > 0)
            inNet[static_cast<std::size_t>(side(k.team))] = InNet{k.in, k.at, when};
    }
    const RecordTime endMoment = endedAt.value_or(RecordTime{lastPeriod, 0});
    close(Team::Home, endMoment, gameEnd, true);
    close(Team::Visitor, endMoment, gameEnd, true);
    std::stable_sort(report.goalkeepers.begin(), report.goalkeepers.end(),
                     [](const ReportGoalkeeper& a, const ReportGoalkeeper& b) { return side(a.side) < side(b.side); });

    for (auto& perTeam : report.shots)
        perTeam.assign(static_cast<std::size_t>(report.periods), 0);
    for (const RecordShots& s : shots) {
        auto& perTeam = report.shots[static_cast<std::size_t>(side(s.team))];
        perTeam[static_cast<std::size_t>(s.period - 1)] += s.count;
    }
    for (std::size_t t = 0; t < 2; ++t) {
        for (int& n : report.shots[t])
            n = std::max(0, n);
        for (int n : report.shots[t])
            report.shotTotals[t] += n;
    }

    for (const auto& [when, t] : timeouts)
        report.timeouts.push_back(
            ReportTimeout{teamNameOf(h, t.team), t.at.period, sheetTime(t.at.remaining, length, style)});
    return report;
}

std::string gameReportCsv(const GameReport& r) {
    const RecordHeader& h = r.header;
    std::string out;
    auto joined = [](const std::vector<std::string>& names) {
        std::string s;
        for (const std::string& n : names)
            s += (s.empty() ? "" : "; ") + n;
        return s;
    };
    row(out, {"Game report"});
    row(out, {"Date", h.date});
    row(out, {"Venue", h.venue});
    row(out, {"Game number", h.gameNumber});
    row(out, {"Competition", h.competition});
    row(out, {"Home", h.homeTeam});
    row(out, {"Visitor", h.visitorTeam});
    row(out, {"Final score", std::to_string(r.score[0]) + " : " + std::to_string(r.score[1])});
    row(out, {"Times", r.timeStyle == SheetTimeStyle::Elapsed ? "elapsed in period" : "remaining in period"});
    row(out, {"Game ended", r.ended ? "yes" : "no"});
    out += "\r\n";
    row(out, {"Goals"});
    row(out, {"Period", "Time", "Team", "Scorer", "Assist 1", "Assist 2", "Strength", "Score"});
    for (const ReportGoal& g : r.goals)
        row(out,
            {std::to_string(g.period), g.time, g.team, g.scorer, g.firstAssist, g.secondAssist, g.strength, g.score});
    out += "\r\n";
    row(out, {"Penalties"});
    row(out, {"Period", "Time", "Team", "Player", "Served by", "Infraction", "Kind", "Minutes", "Start", "End"});
    for (const ReportPenalty& p : r.penalties)
        row(out, {std::to_string(p.period), p.time, p.team, p.player, p.servedBy, p.infraction, p.kind,
                  std::to_string(p.minutes), p.start, p.end});
    out += "\r\n";
    row(out, {"Penalty minutes"});
    row(out, {"Team", "Minutes"});
    row(out, {teamNameOf(h, Team::Home), std::to_string(r.penaltyMinutes[0])});
    row(out, {teamNameOf(h, Team::Visitor), std::to_string(r.penaltyMinutes[1])});
    out += "\r\n";
    row(out, {"Goalkeepers"});
    row(out, {"Team", "Number", "In", "Out", "Time played"});
    for (const ReportGoalkeeper& g : r.goalkeepers)
        row(out, {g.team, g.number, g.in, g.out, g.minutes});
    out += "\r\n";
    row(out, {"Shots on goal"});
    {
        std::string line = csvField("Team");
        for (int p = 1; p <= r.periods; ++p)
            line += "," + csvField("Period " + std::to_string(p));
        line += "," + csvField("Total") + "\r\n";
        out += line;
    }
    for (std::size_t t = 0; t < 2; ++t) {
        std::string line = csvField(teamNameOf(h, t == 0 ? Team::Home : Team::Visitor));
        for (int n : r.shots[t])
            line += "," + std::to_string(n);
        line += "," + std::to_string(r.shotTotals[t]) + "\r\n";
        out += line;
    }
    out += "\r\n";
    row(out, {"Timeouts"});
    row(out, {"Team", "Period", "Time"});
    for (const ReportTimeout& t : r.timeouts)
        row(out, {t.team, std::to_string(t.period), t.time});
    out += "\r\n";
    row(out, {"Officials"});
    row(out, {"Referees", joined(h.referees)});
    row(out, {"Linesmen", joined(h.linesmen)});
    row(out, {"Scorekeeper", h.scorekeeper});
    return out;
}

std::string reportFileStem(const RecordHeader& header) {
    auto safe = [](const std::string& text, const char* fallback) {
        std::string out;
        for (char c : text) {
            const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
            out += plain ? c : '_';
        }
        if (out.size() > 40)
            out.resize(40);
        return out.empty() ? std::string(fallback) : out;
    };
    return safe(header.date, "undated") + "-game-" + safe(header.gameNumber, "0");
}
