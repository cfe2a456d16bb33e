#include "core/rules/RuleBook.h"

#include <algorithm>

namespace {

Team other(Team team) {
    return team == Team::Home ? Team::Visitor : Team::Home;
}

std::size_t side(Team team) {
    return team == Team::Home ? 0 : 1;
}

// Penalties that pair off as coincident only with their own class; -1 for those with no strength clock.
int pairingClass(BookKind kind) {
    switch (kind) {
    case BookKind::Minor:
    case BookKind::BenchMinor:
        return 0;
    case BookKind::DoubleMinor:
        return 1;
    case BookKind::Major:
        return 2;
    case BookKind::MajorAndMinor:
        return 3;
    case BookKind::Misconduct:
    case BookKind::GameMisconduct:
    case BookKind::Match:
        break;
    }
    return -1;
}

bool hasStrengthClock(BookKind kind) {
    return pairingClass(kind) >= 0;
}

// Order within a stoppage: minors before majors, then penalties without a strength clock.
int stoppageRank(BookKind kind) {
    const int pairing = pairingClass(kind);
    if (pairing < 0)
        return 2;
    return pairing <= 1 ? 0 : 1;
}

// Who sits in the box for a penalty: the player serving it, else the penalised player (0: nobody named).
int serverOf(const PenaltyCall& call) {
    return call.servedBy > 0 ? call.servedBy : call.player;
}

bool isMajorClass(BookKind kind) {
    return kind == BookKind::Major || kind == BookKind::MajorAndMinor;
}

} // namespace

const char* bookKindName(BookKind kind) {
    switch (kind) {
    case BookKind::Minor:
        return "minor";
    case BookKind::BenchMinor:
        return "bench minor";
    case BookKind::DoubleMinor:
        return "double minor";
    case BookKind::Major:
        return "major";
    case BookKind::MajorAndMinor:
        return "major and minor";
    case BookKind::Misconduct:
        return "misconduct";
    case BookKind::GameMisconduct:
        return "game misconduct";
    case BookKind::Match:
        return "match";
    }
    return "minor";
}

int penaltyMinutes(BookKind kind) {
    switch (kind) {
    case BookKind::Minor:
    case BookKind::BenchMinor:
        return 2;
    case BookKind::DoubleMinor:
        return 4;
    case BookKind::Major:
        return 5;
    case BookKind::MajorAndMinor:
        return 7;
    case BookKind::Misconduct:
    case BookKind::GameMisconduct:
        return 10;
    case BookKind::Match:
        return 25;
    }
    return 0;
}

const char* bookStateName(BookState state) {
    switch (state) {
    case BookState::Waiting:
        return "waiting";
    case BookState::Running:
        return "running";
    case BookState::RanOut:
        return "ran out";
    case BookState::Released:
        return "released";
    case BookState::Recorded:
        return "recorded";
    }
    return "recorded";
}

TimeValue bookPenaltyLength(BookKind kind, TimeValue minorLength) {
    switch (kind) {
    case BookKind::Minor:
    case BookKind::BenchMinor:
        return minorLength;
    case BookKind::DoubleMinor:
        return 2 * minorLength;
    case BookKind::Major:
        return kMajorTime;
    case BookKind::MajorAndMinor:
        return kMajorTime + minorLength;
    case BookKind::Misconduct:
        return kMisconductTime;
    case BookKind::GameMisconduct:
    case BookKind::Match:
        break;
    }
    return 0;
}

TimeValue roundUpToWholeSecond(TimeValue t) {
    if (t <= 0)
        return 0;
    return (t + kTicksPerSecond - 1) / kTicksPerSecond * kTicksPerSecond;
}

TimeValue elapsedInPeriod(TimeValue periodLength, TimeValue remaining) {
    return std::max<TimeValue>(0, periodLength - roundUpToWholeSecond(remaining));
}

ClockRun runGameClock(const GameClock& from, TimeValue elapsed, const RuleBookSettings& settings) {
    ClockRun run;
    run.clock = from;
    if (elapsed <= 0)
        return run;
    if (from.intermission) {
        if (elapsed >= from.remaining) {
            run.clock = GameClock{from.period + 1, settings.periodLength, false};
            run.intermissionOver = true;
        } else {
            run.clock.remaining -= elapsed;
        }
        return run;
    }
    run.played = std::min(elapsed, from.remaining);
    run.clock.remaining -= run.played;
    run.periodOver = run.played > 0 && run.clock.remaining == 0;
    return run;
}

bool BookPenalty::reducesStrength() const {
    return state == BookState::Running && hasStrengthClock(call.kind) && (!coincident || withoutSubstitute);
}

std::string strengthText(Strength strength) {
    return std::to_string(strength.home) + "-on-" + std::to_string(strength.visitor);
}

const char* goalStrengthLabel(Strength strength, Team scorer) {
    const int own = scorer == Team::Home ? strength.home : strength.visitor;
    const int theirs = scorer == Team::Home ? strength.visitor : strength.home;
    if (own > theirs)
        return "PP";
    if (own < theirs)
        return "SH";
    return "EV";
}

RuleBook::RuleBook(RuleBookSettings settings) : m_settings(settings) {
    if (m_settings.minorLength <= 0)
        m_settings.minorLength = kMinorTime;
    if (m_settings.periodLength <= 0)
        m_settings.periodLength = kDefaultPeriodLength;
    if (m_settings.intermissionLength <= 0)
        m_settings.intermissionLength = kDefaultIntermissionLength;
    reset();
}

void RuleBook::reset() {
    m_entries.clear();
    m_marks.clear();
    replay();
}

std::uint64_t RuleBook::give(const PenaltyCall& call) {
    Entry entry;
    entry.kind = Entry::Kind::Penalty;
    entry.call = call;
    entry.call.player = std::max(0, call.player);
    entry.call.servedBy = std::max(0, call.servedBy);
    m_entries.push_back(std::move(entry));
    replay();
    return m_penalties.size();
}

bool RuleBook::markCoincident(std::uint64_t id, bool coincident) {
    if (id == 0 || id > m_penalties.size())
        return false;
    m_marks[id] = coincident;
    replay();
    return true;
}

bool RuleBook::clearMark(std::uint64_t id) {
    if (id == 0 || id > m_penalties.size())
        return false;
    m_marks.erase(id);
    replay();
    return true;
}

RuleBook RuleBook::restored(RuleBookSettings settings, std::vector<Entry> entries,
                            const std::map<std::uint64_t, bool>& marks) {
    RuleBook book(settings);
    std::uint64_t given = 0;
    for (Entry& entry : entries) {
        entry.call.player = std::max(0, entry.call.player);
        entry.call.servedBy = std::max(0, entry.call.servedBy);
        entry.elapsed = std::max<TimeValue>(0, entry.elapsed);
        if (entry.kind == Entry::Kind::Penalty)
            ++given;
    }
    book.m_entries = std::move(entries);
    for (const auto& [id, coincident] : marks)
        if (id >= 1 && id <= given)
            book.m_marks[id] = coincident;
    book.replay();
    return book;
}

GoalOutcome RuleBook::goal(Team scorer, GoalRelease how) {
    Entry entry;
    entry.kind = Entry::Kind::Goal;
    entry.scorer = scorer;
    entry.how = how;
    m_entries.push_back(entry);
    m_lastRunStopped = true;
    m_goals.push_back(score(scorer, how));
    return m_goals.back();
}

bool RuleBook::undoLastRelease() {
    std::size_t goalIndex = m_goals.size();
    for (std::size_t i = m_entries.size(); i-- > 0;) {
        if (m_entries[i].kind != Entry::Kind::Goal)
            continue;
        --goalIndex;
        if (!m_entries[i].undone && m_goals[goalIndex].released) {
            m_entries[i].undone = true;
            replay();
            return true;
        }
    }
    return false;
}

ClockRun RuleBook::run(TimeValue elapsed) {
    if (elapsed <= 0)
        return ClockRun{m_clock, 0, false, false};
    if (!m_entries.empty() && m_entries.back().kind == Entry::Kind::Play && !m_lastRunStopped) {
        m_entries.back().elapsed += elapsed;
    } else {
        Entry entry;
        entry.kind = Entry::Kind::Play;
        entry.elapsed = elapsed;
        m_entries.push_back(entry);
    }
    const ClockRun result = play(elapsed);
    m_lastRunStopped = result.periodOver || result.intermissionOver;
    return result;
}

bool RuleBook::startIntermission() {
    if (m_clock.intermission || m_clock.remaining > 0)
        return false;
    Entry entry;
    entry.kind = Entry::Kind::Intermission;
    m_entries.push_back(entry);
    m_clock = GameClock{m_clock.period, m_settings.intermissionLength, true};
    m_lastRunStopped = true;
    return true;
}

Strength RuleBook::strength() const {
    return Strength{kFullStrength - std::min(2, reducing(Team::Home)),
                    kFullStrength - std::min(2, reducing(Team::Visitor))};
}

const BookPenalty* RuleBook::penalty(std::uint64_t id) const {
    if (id == 0 || id > m_penalties.size())
        return nullptr;
    return &m_penalties[id - 1];
}

std::optional<GameClock> RuleBook::endsAt(const BookPenalty& penalty) const {
    if (penalty.state != BookState::Running)
        return std::nullopt;
    int period = m_clock.period;
    TimeValue left = m_clock.remaining;
    if (m_clock.intermission || left == 0) {
        ++period;
        left = m_settings.periodLength;
    }
    TimeValue time = penalty.remaining;
    while (time > left) {
        time -= left;
        ++period;
        left = m_settings.periodLength;
    }
    return GameClock{period, left - time, false};
}

void RuleBook::replay() {
    m_clock = GameClock{1, m_settings.periodLength, false};
    m_penalties.clear();
    m_goals.clear();
    m_queues = {};
    m_followOrder = 0;
    m_startOrder = 0;
    m_lastRunStopped = true;
    std::size_t i = 0;
    while (i < m_entries.size()) {
        const Entry& entry = m_entries[i];
        switch (entry.kind) {
        case Entry::Kind::Penalty: {
            std::size_t end = i;
            while (end < m_entries.size() && m_entries[end].kind == Entry::Kind::Penalty)
                ++end;
            applyGroup(i, end);
            i = end;
            continue;
        }
        case Entry::Kind::Play: {
            const ClockRun result = play(entry.elapsed);
            m_lastRunStopped = result.periodOver || result.intermissionOver;
            break;
        }
        case Entry::Kind::Goal: {
            GoalRelease how = entry.how;
            if (entry.undone)
                how.noRelease = true;
            m_goals.push_back(score(entry.scorer, how));
            m_lastRunStopped = true;
            break;
        }
        case Entry::Kind::Intermission:
            if (!m_clock.intermission && m_clock.remaining == 0)
                m_clock = GameClock{m_clock.period, m_settings.intermissionLength, true};
            m_lastRunStopped = true;
            break;
        }
        ++i;
    }
}

void RuleBook::applyGroup(std::size_t firstEntry, std::size_t endEntry) {
    const bool fullStrengthBefore =
        reducing(Team::Home) == 0 && reducing(Team::Visitor) == 0 && m_queues[0].empty() && m_queues[1].empty();
    const std::size_t firstIndex = m_penalties.size();
    for (std::size_t i = firstEntry; i < endEntry; ++i) {
        BookPenalty penalty;
        penalty.id = m_penalties.size() + 1;
        penalty.call = m_entries[i].call;
        penalty.given = m_clock;
        penalty.length = bookPenaltyLength(penalty.call.kind, m_settings.minorLength);
        penalty.remaining = penalty.length;
        penalty.state = BookState::Recorded; // until it starts or waits below
        m_penalties.push_back(std::move(penalty));
    }

    // Equal penalties to both teams pair off, the earliest given first.
    for (int pairing = 0; pairing <= 3; ++pairing) {
        std::array<std::vector<std::size_t>, 2> byTeam;
        for (std::size_t i = firstIndex; i < m_penalties.size(); ++i)
            if (pairingClass(m_penalties[i].call.kind) == pairing)
                byTeam[side(m_penalties[i].call.team)].push_back(i);
        const std::size_t pairs = std::min(byTeam[0].size(), byTeam[1].size());
        for (std::size_t k = 0; k < pairs; ++k) {
            m_penalties[byTeam[0][k]].coincident = true;
            m_penalties[byTeam[1][k]].coincident = true;
        }
    }
    std::array<int, 2> minors{};
    int strengthPenalties = 0;
    for (std::size_t i = firstIndex; i < m_penalties.size(); ++i) {
        BookPenalty& penalty = m_penalties[i];
        if (!hasStrengthClock(penalty.call.kind)) {
            penalty.coincident = false;
            continue;
        }
        if (const auto mark = m_marks.find(penalty.id); mark != m_marks.end())
            penalty.coincident = mark->second;
        ++strengthPenalties;
        if (pairingClass(penalty.call.kind) == 0 && penalty.coincident)
            ++minors[side(penalty.call.team)];
    }
    // One minor to each team at full strength: four on four, without substitutes.
    if (m_settings.fourOnFour && fullStrengthBefore && strengthPenalties == 2 && minors[0] == 1 && minors[1] == 1)
        for (std::size_t i = firstIndex; i < m_penalties.size(); ++i)
            if (hasStrengthClock(m_penalties[i].call.kind))
                m_penalties[i].withoutSubstitute = true;

    std::vector<std::size_t> order;
    for (std::size_t i = firstIndex; i < m_penalties.size(); ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return stoppageRank(m_penalties[a].call.kind) < stoppageRank(m_penalties[b].call.kind);
    });
    // One player's major before his minor.
    std::map<std::pair<std::size_t, int>, std::vector<std::size_t>> byServer;
    for (std::size_t position = 0; position < order.size(); ++position) {
        const PenaltyCall& call = m_penalties[order[position]].call;
        if (serverOf(call) > 0 && hasStrengthClock(call.kind))
            byServer[{side(call.team), serverOf(call)}].push_back(position);
    }
    for (const auto& [server, positions] : byServer) {
        std::vector<std::size_t> own;
        for (const std::size_t position : positions)
            own.push_back(order[position]);
        std::stable_sort(own.begin(), own.end(), [this](std::size_t a, std::size_t b) {
            return isMajorClass(m_penalties[a].call.kind) && !isMajorClass(m_penalties[b].call.kind);
        });
        for (std::size_t k = 0; k < positions.size(); ++k)
            order[positions[k]] = own[k];
    }
    for (const std::size_t i : order)
        start(m_penalties[i]);
}

bool RuleBook::blocked(const BookPenalty& penalty) const {
    const bool misconduct = penalty.call.kind == BookKind::Misconduct;
    const int who = misconduct ? penalty.call.player : serverOf(penalty.call);
    if (who == 0)
        return false;
    return std::any_of(m_penalties.begin(), m_penalties.end(), [&](const BookPenalty& other) {
        if (other.id == penalty.id || other.call.team != penalty.call.team || !hasStrengthClock(other.call.kind))
            return false;
        const bool inBox = other.state == BookState::Running || (other.state == BookState::Waiting && !other.behindOwn);
        return inBox && (misconduct ? other.call.player : serverOf(other.call)) == who;
    });
}

void RuleBook::startFollowing(Team team) {
    std::vector<BookPenalty*> following;
    for (BookPenalty& penalty : m_penalties)
        if (penalty.call.team == team && penalty.state == BookState::Waiting && penalty.behindOwn)
            following.push_back(&penalty);
    std::sort(following.begin(), following.end(),
              [](const BookPenalty* a, const BookPenalty* b) { return a->followOrder < b->followOrder; });
    for (BookPenalty* penalty : following) {
        if (blocked(*penalty))
            continue;
        penalty->behindOwn = false;
        start(*penalty);
    }
}

void RuleBook::start(BookPenalty& penalty) {
    if (penalty.length == 0) {
        penalty.state = BookState::Recorded;
        return;
    }
    if (blocked(penalty)) {
        penalty.state = BookState::Waiting;
        penalty.behindOwn = true;
        penalty.followOrder = ++m_followOrder;
        return;
    }
    const bool reduces = hasStrengthClock(penalty.call.kind) && (!penalty.coincident || penalty.withoutSubstitute);
    if (reduces && reducing(penalty.call.team) >= 2) {
        penalty.state = BookState::Waiting;
        m_queues[side(penalty.call.team)].push_back(penalty.id);
        return;
    }
    penalty.state = BookState::Running;
    penalty.started = m_clock;
    penalty.startOrder = ++m_startOrder;
}

void RuleBook::startWaiting(Team team) {
    auto& queue = m_queues[side(team)];
    while (!queue.empty() && reducing(team) < 2) {
        BookPenalty& next = *find(queue.front());
        queue.erase(queue.begin());
        next.state = BookState::Running;
        next.remaining = next.length;
        next.started = m_clock;
        next.startOrder = ++m_startOrder;
    }
}

ClockRun RuleBook::play(TimeValue elapsed) {
    const ClockRun result = runGameClock(m_clock, elapsed, m_settings);
    if (m_clock.intermission) {
        m_clock = result.clock;
        return result;
    }
    TimeValue left = result.played;
    while (left > 0) {
        TimeValue step = left;
        for (const BookPenalty& penalty : m_penalties)
            if (penalty.state == BookState::Running)
                step = std::min(step, penalty.remaining);
        for (BookPenalty& penalty : m_penalties)
            if (penalty.state == BookState::Running)
                penalty.remaining -= step;
        m_clock.remaining -= step;
        left -= step;
        std::array<bool, 2> freed{};
        for (BookPenalty& penalty : m_penalties) {
            if (penalty.state != BookState::Running || penalty.remaining > 0)
                continue;
            penalty.state = BookState::RanOut;
            penalty.ended = m_clock;
            freed[side(penalty.call.team)] = true;
        }
        if (freed[0]) {
            startFollowing(Team::Home);
            startWaiting(Team::Home);
        }
        if (freed[1]) {
            startFollowing(Team::Visitor);
            startWaiting(Team::Visitor);
        }
    }
    m_clock = result.clock;
    return result;
}

GoalOutcome RuleBook::score(Team scorer, const GoalRelease& how) {
    GoalOutcome out;
    const Strength now = strength();
    out.strength = goalStrengthLabel(now, scorer);
    const Team opponent = other(scorer);
    const int own = scorer == Team::Home ? now.home : now.visitor;
    const int theirs = scorer == Team::Home ? now.visitor : now.home;
    if (how.noRelease || theirs >= own)
        return out;

    const TimeValue minor = m_settings.minorLength;
    auto inCurrentMinor = [minor](const BookPenalty& penalty) {
        if (penalty.call.kind == BookKind::DoubleMinor && penalty.remaining > minor)
            return penalty.remaining - minor;
        return penalty.remaining;
    };
    std::vector<BookPenalty*> candidates;
    for (BookPenalty& penalty : m_penalties) {
        if (penalty.call.team != opponent || penalty.state != BookState::Running || penalty.coincident)
            continue;
        const BookKind kind = penalty.call.kind;
        const bool releasable = kind == BookKind::Minor || kind == BookKind::BenchMinor ||
                                kind == BookKind::DoubleMinor ||
                                (kind == BookKind::MajorAndMinor && penalty.remaining <= minor);
        if (releasable)
            candidates.push_back(&penalty);
    }
    if (candidates.empty())
        return out;
    TimeValue least = inCurrentMinor(*candidates.front());
    for (const BookPenalty* penalty : candidates)
        least = std::min(least, inCurrentMinor(*penalty));
    std::vector<BookPenalty*> tied;
    for (BookPenalty* penalty : candidates)
        if (inCurrentMinor(*penalty) == least)
            tied.push_back(penalty);
    BookPenalty* chosen = tied.front();
    if (tied.size() > 1)
        for (const BookPenalty* penalty : tied)
            out.tied.push_back(penalty->id);
    if (how.choice) {
        const auto match = std::find_if(tied.begin(), tied.end(),
                                        [&how](const BookPenalty* penalty) { return penalty->id == *how.choice; });
        if (match != tied.end())
            chosen = *match;
        else
            out.refusal = "The chosen penalty is not one of those with the least time left; the first given ends.";
    }
    out.released = chosen->id;
    if (chosen->call.kind == BookKind::DoubleMinor && chosen->remaining > minor) {
        chosen->remaining = minor;
        out.cutToSecondMinor = true;
        return out;
    }
    chosen->state = BookState::Released;
    chosen->ended = m_clock;
    startFollowing(opponent);
    startWaiting(opponent);
    return out;
}

std::vector<std::uint64_t> RuleBook::shownOnClocks(Team team, std::size_t places) const {
    std::vector<const BookPenalty*> reducingFirst;
    std::vector<const BookPenalty*> others;
    for (const BookPenalty& penalty : m_penalties) {
        if (penalty.call.team != team || penalty.state != BookState::Running)
            continue;
        (penalty.reducesStrength() ? reducingFirst : others).push_back(&penalty);
    }
    std::sort(reducingFirst.begin(), reducingFirst.end(),
              [](const BookPenalty* a, const BookPenalty* b) { return a->startOrder < b->startOrder; });
    std::stable_sort(others.begin(), others.end(),
                     [](const BookPenalty* a, const BookPenalty* b) { return a->remaining < b->remaining; });
    reducingFirst.insert(reducingFirst.end(), others.begin(), others.end());
    std::vector<std::uint64_t> shown;
    for (const BookPenalty* penalty : reducingFirst)
        if (shown.size() < places)
            shown.push_back(penalty->id);
    return shown;
}

int RuleBook::penaltyMinutesOf(Team team) const {
    int minutes = 0;
    for (const BookPenalty& penalty : m_penalties)
        if (penalty.call.team == team)
            minutes += penaltyMinutes(penalty.call.kind);
    return minutes;
}

int RuleBook::reducing(Team team) const {
    return static_cast<int>(std::count_if(m_penalties.begin(), m_penalties.end(), [team](const BookPenalty& penalty) {
        return penalty.call.team == team && penalty.reducesStrength();
    }));
}

BookPenalty* RuleBook::find(std::uint64_t id) {
    if (id == 0 || id > m_penalties.size())
        return nullptr;
    return &m_penalties[id - 1];
}
