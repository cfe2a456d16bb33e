#include "core/rules/GameSheet.h"

#include <algorithm>
#include <map>

std::string sheetTime(TimeValue value) {
    const std::int64_t tenths = std::max<TimeValue>(0, value) / kTicksPerTenth;
    std::string seconds = std::to_string(tenths / 10 % 60);
    if (seconds.size() < 2)
        seconds.insert(0, 1, '0');
    std::string text = std::to_string(tenths / 600) + ":" + seconds;
    if (tenths % 10 != 0)
        text += "." + std::to_string(tenths % 10);
    return text;
}

std::string htmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

namespace {

SheetPeriod& periodOf(std::vector<SheetPeriod>& periods, int period) {
    auto it = std::find_if(periods.begin(), periods.end(), [&](const SheetPeriod& p) { return p.period == period; });
    if (it != periods.end())
        return *it;
    periods.push_back({period});
    return periods.back();
}

void score(GameSheet& sheet, const SheetEvent& e) {
    int& current = e.team == Team::Home ? sheet.homeScore : sheet.visitorScore;
    // Goals from before the sheet's first entry (entries let go) count in the score, not as lines of their own.
    const bool firstOfTeam =
        std::none_of(sheet.goals.begin(), sheet.goals.end(), [&](const SheetGoal& g) { return g.team == e.team; });
    if (firstOfTeam && current == 0 && e.scoreBefore > 0)
        current = e.scoreBefore;
    const int after = std::max(0, e.scoreAfter);
    if (after > current) {
        for (int goal = current + 1; goal <= after; ++goal) {
            SheetGoal g;
            g.at = e.at;
            g.team = e.team;
            current = goal;
            g.homeScore = sheet.homeScore;
            g.visitorScore = sheet.visitorScore;
            g.byCorrection = e.scoreAfter != e.scoreBefore + 1;
            sheet.goals.push_back(g);
        }
        return;
    }
    // Lowered: the team's latest goals above the new score did not count.
    for (auto it = sheet.goals.rbegin(); it != sheet.goals.rend() && current > after; ++it) {
        if (it->team == e.team && !it->takenBack) {
            it->takenBack = true;
            --current;
        }
    }
    current = after;
}

void penalty(GameSheet& sheet, std::map<std::uint64_t, std::size_t>& index, const PenaltyEvent& e) {
    auto found = index.find(e.penaltyId);
    if (found == index.end()) {
        SheetPenalty p;
        p.id = e.penaltyId;
        p.team = e.team;
        p.kind = e.penalty;
        p.fullTime = e.fullTime;
        p.given = e.at;
        found = index.emplace(e.penaltyId, sheet.penalties.size()).first;
        sheet.penalties.push_back(p);
    }
    SheetPenalty& p = sheet.penalties[found->second];
    p.kind = e.penalty;
    p.fullTime = e.fullTime;
    switch (e.kind) {
    case PenaltyEventKind::Added:
    case PenaltyEventKind::QueuedStart:
        p.started = e.at;
        break;
    case PenaltyEventKind::Queued:
        break;
    case PenaltyEventKind::Released:
        if (e.after > 0) {
            p.firstMinorEndedByGoal = e.at;
            break;
        }
        [[fallthrough]];
    case PenaltyEventKind::Expired:
    case PenaltyEventKind::Cleared:
        p.ended = e.at;
        p.endedBy = e.kind;
        break;
    case PenaltyEventKind::Corrected:
        break;
    case PenaltyEventKind::ReleaseUndone:
        if (p.endedBy == PenaltyEventKind::Released) {
            p.ended.reset();
            p.endedBy.reset();
        }
        p.firstMinorEndedByGoal.reset();
        break;
    case PenaltyEventKind::Requeued:
        p.started.reset();
        break;
    }
}

std::string momentText(const std::optional<GameMoment>& at) {
    return at ? "P" + std::to_string(at->period) + " " + sheetTime(at->gameClock) : std::string();
}

const char* endedByText(const std::optional<PenaltyEventKind>& kind) {
    if (!kind)
        return "";
    switch (*kind) {
    case PenaltyEventKind::Released:
        return "goal";
    case PenaltyEventKind::Expired:
        return "time";
    case PenaltyEventKind::Cleared:
        return "cleared";
    default:
        return "";
    }
}

const std::string& nameOf(const GameSheet& sheet, Team team) {
    return team == Team::Home ? sheet.homeName : sheet.visitorName;
}

std::string goalNote(const SheetGoal& g) {
    if (g.takenBack)
        return "taken back";
    return g.byCorrection ? "score corrected" : "";
}

std::string penaltyKindText(const SheetPenalty& p) {
    std::string text = penaltyKindName(p.kind);
    if (p.firstMinorEndedByGoal)
        text += " (first minor ended by goal " + momentText(p.firstMinorEndedByGoal) + ")";
    return text;
}

std::string lostText(const GameSheet& sheet) {
    return "The earliest " + std::to_string(sheet.earlierEntriesLost) +
           " entries of this game are no longer kept; the score is the board's. The official's record keeps "
           "every entry.";
}

} // namespace

GameSheet buildGameSheet(const GameSheetInput& input) {
    GameSheet sheet;
    sheet.homeName = input.homeName;
    sheet.visitorName = input.visitorName;
    std::map<std::uint64_t, std::size_t> index;
    for (const SheetEvent& e : input.events) {
        if (e.at.period > 0)
            periodOf(sheet.periods, e.at.period);
        switch (e.kind) {
        case SheetEvent::Kind::Period:
            break;
        case SheetEvent::Kind::Score:
            score(sheet, e);
            break;
        case SheetEvent::Kind::Penalty:
            penalty(sheet, index, e.penalty);
            break;
        }
    }
    std::sort(sheet.periods.begin(), sheet.periods.end(),
              [](const SheetPeriod& a, const SheetPeriod& b) { return a.period < b.period; });
    for (const SheetGoal& g : sheet.goals) {
        if (g.takenBack || g.at.period <= 0)
            continue;
        SheetPeriod& p = periodOf(sheet.periods, g.at.period);
        (g.team == Team::Home ? p.homeGoals : p.visitorGoals) += 1;
    }
    for (const SheetPenalty& pen : sheet.penalties) {
        if (pen.given.period <= 0)
            continue;
        SheetPeriod& p = periodOf(sheet.periods, pen.given.period);
        (pen.team == Team::Home ? p.homePenalties : p.visitorPenalties) += 1;
    }
    sheet.earlierEntriesLost = input.earlierEntriesLost;
    if (input.boardScore) {
        sheet.homeScore = std::max(0, (*input.boardScore)[0]);
        sheet.visitorScore = std::max(0, (*input.boardScore)[1]);
    }
    return sheet;
}

std::string gameSheetCsv(const GameSheet& sheet) {
    std::string csv;
    const auto row = [&csv](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& field : fields) {
            if (!first)
                csv += ',';
            csv += csvField(field);
            first = false;
        }
        csv += "\r\n";
    };
    const auto periodText = [](const std::optional<GameMoment>& at) {
        return at ? std::to_string(at->period) : std::string();
    };
    const auto clockText = [](const std::optional<GameMoment>& at) {
        return at ? sheetTime(at->gameClock) : std::string();
    };
    row({"Record", "Period", "Clock", "Team", "Kind", "Time", "Start period", "Start clock", "End period", "End clock",
         "Ended by", "Note", sheet.homeName, sheet.visitorName});
    for (const SheetPeriod& p : sheet.periods)
        row({"period", std::to_string(p.period), "", "", "", "", "", "", "", "", "", "", std::to_string(p.homeGoals),
             std::to_string(p.visitorGoals)});
    for (const SheetGoal& g : sheet.goals)
        row({"goal", std::to_string(g.at.period), sheetTime(g.at.gameClock), nameOf(sheet, g.team), "goal", "", "", "",
             "", "", "", goalNote(g), std::to_string(g.homeScore), std::to_string(g.visitorScore)});
    for (const SheetPenalty& p : sheet.penalties) {
        const std::string note =
            p.firstMinorEndedByGoal ? "first minor ended by goal " + momentText(p.firstMinorEndedByGoal) : "";
        row({"penalty", std::to_string(p.given.period), sheetTime(p.given.gameClock), nameOf(sheet, p.team),
             penaltyKindName(p.kind), sheetTime(p.fullTime), periodText(p.started), clockText(p.started),
             periodText(p.ended), clockText(p.ended), endedByText(p.endedBy), note, "", ""});
    }
    row({"final", "", "", "", "", "", "", "", "", "", "", "", std::to_string(sheet.homeScore),
         std::to_string(sheet.visitorScore)});
    if (sheet.earlierEntriesLost > 0)
        row({"not kept", "", "", "", "", "", "", "", "", "", "", lostText(sheet), "", ""});
    return csv;
}

std::string gameSheetHtml(const GameSheet& sheet) {
    const std::string home = htmlEscape(sheet.homeName);
    const std::string visitor = htmlEscape(sheet.visitorName);
    const std::string finalScore = std::to_string(sheet.homeScore) + " - " + std::to_string(sheet.visitorScore);
    std::string h;
    h += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    h += "<title>Game sheet: " + home + " " + finalScore + " " + visitor + "</title>\n";
    h += "<style>\nbody{font-family:sans-serif;margin:1.5em;color:#000;background:#fff}\n"
         "table{border-collapse:collapse;margin:0 0 1.5em 0}\n"
         "th,td{border:1px solid #444;padding:.2em .6em;text-align:left}\n"
         "td.n{text-align:right}\n.struck{text-decoration:line-through}\n"
         "@media print{body{margin:0}h2{page-break-after:avoid}table{page-break-inside:auto}}\n</style>\n";
    h += "</head>\n<body>\n";
    h += "<h1>" + home + " " + finalScore + " " + visitor + "</h1>\n";
    if (sheet.earlierEntriesLost > 0)
        h += "<p>" + htmlEscape(lostText(sheet)) + "</p>\n";

    h += "<h2>Score by period</h2>\n<table>\n<tr><th>Team</th>";
    for (const SheetPeriod& p : sheet.periods)
        h += "<th>" + std::to_string(p.period) + "</th>";
    h += "<th>Total</th></tr>\n";
    for (Team team : {Team::Home, Team::Visitor}) {
        h += "<tr><td>" + (team == Team::Home ? home : visitor) + "</td>";
        for (const SheetPeriod& p : sheet.periods)
            h += "<td class=\"n\">" + std::to_string(team == Team::Home ? p.homeGoals : p.visitorGoals) + "</td>";
        h += "<td class=\"n\">" + std::to_string(team == Team::Home ? sheet.homeScore : sheet.visitorScore) +
             "</td></tr>\n";
    }
    h += "</table>\n";

    h += "<h2>Goals</h2>\n";
    if (sheet.goals.empty()) {
        h += "<p>No goals.</p>\n";
    } else {
        h += "<table>\n<tr><th>Period</th><th>Clock</th><th>Team</th><th>Score</th><th>Note</th></tr>\n";
        for (const SheetGoal& g : sheet.goals) {
            h += g.takenBack ? "<tr class=\"struck\">" : "<tr>";
            h += "<td class=\"n\">" + std::to_string(g.at.period) + "</td><td class=\"n\">" +
                 sheetTime(g.at.gameClock) + "</td><td>" + htmlEscape(nameOf(sheet, g.team)) + "</td><td>" +
                 std::to_string(g.homeScore) + " - " + std::to_string(g.visitorScore) + "</td><td>" + goalNote(g) +
                 "</td></tr>\n";
        }
        h += "</table>\n";
    }

    h += "<h2>Penalties</h2>\n";
    if (sheet.penalties.empty()) {
        h += "<p>No penalties.</p>\n";
    } else {
        h += "<table>\n<tr><th>Given</th><th>Team</th><th>Kind</th><th>Time</th><th>Start</th><th>End</th>"
             "<th>Ended by</th></tr>\n";
        for (const SheetPenalty& p : sheet.penalties)
            h += "<tr><td>" + momentText(p.given) + "</td><td>" + htmlEscape(nameOf(sheet, p.team)) + "</td><td>" +
                 penaltyKindText(p) + "</td><td class=\"n\">" + sheetTime(p.fullTime) + "</td><td>" +
                 momentText(p.started) + "</td><td>" + momentText(p.ended) + "</td><td>" + endedByText(p.endedBy) +
                 "</td></tr>\n";
        h += "</table>\n";
    }
    h += "</body>\n</html>\n";
    return h;
}
