#include "core/rules/PenaltyRules.h"

#include <algorithm>
#include <set>
#include <tuple>

PenaltyKind penaltyKindOf(TimeValue typed, TimeValue minorLength) {
    if (typed == minorLength)
        return PenaltyKind::Minor;
    if (typed == 2 * minorLength)
        return PenaltyKind::DoubleMinor;
    if (typed == kMajorTime)
        return PenaltyKind::Major;
    return PenaltyKind::Timed;
}

Team teamOfClock(int clock) {
    return clock <= 2 ? Team::Home : Team::Visitor;
}

const char* penaltyKindName(PenaltyKind kind) {
    switch (kind) {
    case PenaltyKind::Minor:
        return "minor";
    case PenaltyKind::DoubleMinor:
        return "double minor";
    case PenaltyKind::Major:
        return "major";
    case PenaltyKind::Timed:
        return "timed";
    }
    return "timed";
}

const char* teamName(Team team) {
    return team == Team::Home ? "home" : "visitor";
}

const char* penaltyEventName(PenaltyEventKind kind) {
    switch (kind) {
    case PenaltyEventKind::Added:
        return "penalty";
    case PenaltyEventKind::Queued:
        return "penalty queued";
    case PenaltyEventKind::QueuedStart:
        return "queued penalty starts";
    case PenaltyEventKind::Released:
        return "penalty released by goal";
    case PenaltyEventKind::Expired:
        return "penalty over";
    case PenaltyEventKind::Corrected:
        return "penalty time corrected";
    case PenaltyEventKind::Cleared:
        return "penalty cleared";
    case PenaltyEventKind::ReleaseUndone:
        return "release undone";
    case PenaltyEventKind::Requeued:
        return "penalty back in queue";
    }
    return "penalty";
}

namespace {

// The time left of the minor a goal would end: a double minor's first minor ends at one minor's length left.
TimeValue currentMinorLeft(PenaltyKind kind, TimeValue remaining, TimeValue minorLength) {
    return kind == PenaltyKind::DoubleMinor && remaining > minorLength ? remaining - minorLength : remaining;
}

bool releasable(PenaltyKind kind) {
    return kind == PenaltyKind::Minor || kind == PenaltyKind::DoubleMinor;
}

} // namespace

std::array<int, 2> PenaltyRules::clocksOf(Team team) {
    return team == Team::Home ? std::array<int, 2>{1, 2} : std::array<int, 2>{3, 4};
}

PenaltyEvent PenaltyRules::event(PenaltyEventKind kind, int clock, Team team, std::uint64_t id, PenaltyKind penalty,
                                 TimeValue fullTime, TimeValue before, TimeValue after, GameMoment at) {
    PenaltyEvent e;
    e.serial = m_nextSerial++;
    e.kind = kind;
    e.team = team;
    e.clock = clock;
    e.penalty = penalty;
    e.penaltyId = id;
    e.fullTime = fullTime;
    e.before = before;
    e.after = after;
    e.at = at;
    return e;
}

bool PenaltyRules::live(int clock) const {
    const auto& held = m_clocks[slot(clock)];
    return held && held->remaining > 0;
}

void PenaltyRules::takeReadings(const PenaltyReadings& now) {
    for (int clock = kFirstPenaltyClock; clock <= kLastPenaltyClock; ++clock) {
        if (auto& held = m_clocks[slot(clock)])
            held->remaining = std::clamp<TimeValue>(now[slot(clock)], 0, kLongestPenalty);
    }
}

void PenaltyRules::expire(PenaltyOutcome& out, GameMoment at) {
    for (int clock = kFirstPenaltyClock; clock <= kLastPenaltyClock; ++clock) {
        auto& held = m_clocks[slot(clock)];
        if (!held || held->remaining > 0)
            continue;
        out.events.push_back(event(PenaltyEventKind::Expired, clock, teamOfClock(clock), held->id, held->kind,
                                   held->fullTime, 0, 0, at));
        held.reset();
        m_undo[slot(clock)].reset();
        startQueued(clock, out, at);
    }
}

std::optional<std::uint64_t> PenaltyRules::startQueued(int clock, PenaltyOutcome& out, GameMoment at) {
    const Team team = teamOfClock(clock);
    auto& queue = m_queues[side(team)];
    if (queue.empty())
        return std::nullopt;
    const Waiting next = queue.front();
    queue.pop_front();
    m_clocks[slot(clock)] = Held{next.id, next.kind, next.fullTime, next.fullTime};
    out.actions.push_back({ClockAction::Kind::SetAndRun, clock, next.fullTime});
    out.events.push_back(
        event(PenaltyEventKind::QueuedStart, clock, team, next.id, next.kind, next.fullTime, 0, next.fullTime, at));
    return next.id;
}

PenaltyOutcome PenaltyRules::addPenalty(Team team, TimeValue typed, int preferredClock, const PenaltyReadings& now,
                                        GameMoment at) {
    PenaltyOutcome out;
    if (typed <= 0 || typed > kLongestPenalty) {
        out.refusal = "A penalty needs a time from 0:01 to 9:59.";
        return out;
    }
    takeReadings(now);
    expire(out, at);

    const std::array<int, 2> own = clocksOf(team);
    std::optional<int> target;
    if (validClock(preferredClock) && teamOfClock(preferredClock) == team && !live(preferredClock))
        target = preferredClock;
    for (int clock : own) {
        if (!target && !live(clock))
            target = clock;
    }

    const PenaltyKind kind = penaltyKindOf(typed, m_minorLength);
    if (!target) {
        auto& queue = m_queues[side(team)];
        if (queue.size() >= kMaxQueued) {
            out.refusal = std::string("The ") + teamName(team) + " team already has " + std::to_string(kMaxQueued) +
                          " penalties waiting.";
            return out;
        }
        const std::uint64_t id = m_nextId++;
        queue.push_back({id, kind, typed});
        out.events.push_back(event(PenaltyEventKind::Queued, 0, team, id, kind, typed, 0, 0, at));
        return out;
    }

    const std::uint64_t id = m_nextId++;
    m_clocks[slot(*target)] = Held{id, kind, typed, typed};
    m_undo[slot(*target)].reset();
    out.actions.push_back({ClockAction::Kind::SetAndRun, *target, typed});
    out.events.push_back(event(PenaltyEventKind::Added, *target, team, id, kind, typed, 0, typed, at));
    return out;
}

void PenaltyRules::undoRelease(int clock, TimeValue typed, PenaltyOutcome& out, GameMoment at) {
    const Undo undo = *m_undo[slot(clock)];
    m_undo[slot(clock)].reset();
    const Team team = teamOfClock(clock);
    auto& onClock = m_clocks[slot(clock)];

    TimeValue before = 0;
    if (undo.cutOnly) {
        before = onClock ? onClock->remaining : 0;
    } else if (undo.started && onClock && onClock->id == *undo.started) {
        // The queued penalty should never have started: back to the head of its queue, its time uncharged.
        out.events.push_back(event(PenaltyEventKind::Requeued, clock, team, onClock->id, onClock->kind,
                                   onClock->fullTime, onClock->remaining, 0, at));
        m_queues[side(team)].push_front({onClock->id, onClock->kind, onClock->fullTime});
    }

    Held restored = undo.released;
    if (typed > restored.fullTime) {
        restored.kind = penaltyKindOf(typed, m_minorLength);
        restored.fullTime = typed;
    }
    restored.remaining = typed;
    onClock = restored;
    PenaltyEvent e = event(PenaltyEventKind::ReleaseUndone, clock, team, restored.id, restored.kind, restored.fullTime,
                           before, typed, at);
    e.undoes = undo.releaseSerial;
    out.events.push_back(e);
}

PenaltyOutcome PenaltyRules::typedTime(int clock, TimeValue typed, const PenaltyReadings& now, GameMoment at) {
    PenaltyOutcome out;
    if (!validClock(clock)) {
        out.refusal = "There is no penalty clock " + std::to_string(clock) + ".";
        return out;
    }
    if (typed < 0 || typed > kLongestPenalty) {
        out.refusal = "A penalty time must be from 0:00 to 9:59.";
        return out;
    }
    // The board has already put the typed time on this clock, so its reading says nothing about what was there.
    PenaltyReadings readings = now;
    if (const auto& held = m_clocks[slot(clock)])
        readings[slot(clock)] = held->remaining;
    takeReadings(readings);
    expire(out, at);

    const Team team = teamOfClock(clock);
    auto& held = m_clocks[slot(clock)];
    if (m_undo[slot(clock)] && typed > 0) {
        undoRelease(clock, typed, out, at);
        return out;
    }
    m_undo[slot(clock)].reset();

    if (!held) {
        if (typed > 0) {
            const std::uint64_t id = m_nextId++;
            const PenaltyKind kind = penaltyKindOf(typed, m_minorLength);
            held = Held{id, kind, typed, typed};
            out.events.push_back(event(PenaltyEventKind::Added, clock, team, id, kind, typed, 0, typed, at));
        }
        return out;
    }
    if (typed == 0) {
        out.events.push_back(event(PenaltyEventKind::Cleared, clock, team, held->id, held->kind, held->fullTime,
                                   held->remaining, 0, at));
        held.reset();
        startQueued(clock, out, at);
        return out;
    }
    const TimeValue before = held->remaining;
    if (typed > held->fullTime) {
        held->kind = penaltyKindOf(typed, m_minorLength);
        held->fullTime = typed;
    }
    held->remaining = typed;
    out.events.push_back(
        event(PenaltyEventKind::Corrected, clock, team, held->id, held->kind, held->fullTime, before, typed, at));
    return out;
}

PenaltyOutcome PenaltyRules::cleared(int clock, const PenaltyReadings& now, GameMoment at) {
    PenaltyOutcome out;
    if (!validClock(clock)) {
        out.refusal = "There is no penalty clock " + std::to_string(clock) + ".";
        return out;
    }
    PenaltyReadings readings = now;
    if (const auto& held = m_clocks[slot(clock)])
        readings[slot(clock)] = held->remaining;
    takeReadings(readings);
    expire(out, at);

    m_undo[slot(clock)].reset();
    auto& held = m_clocks[slot(clock)];
    if (!held)
        return out;
    out.events.push_back(event(PenaltyEventKind::Cleared, clock, teamOfClock(clock), held->id, held->kind,
                               held->fullTime, held->remaining, 0, at));
    held.reset();
    startQueued(clock, out, at);
    return out;
}

int PenaltyRules::livePenalties(Team team) const {
    int count = 0;
    for (int clock : clocksOf(team))
        count += live(clock) ? 1 : 0;
    return count;
}

PenaltyOutcome PenaltyRules::scoreChanged(Team team, int before, int after, const PenaltyReadings& now, GameMoment at) {
    PenaltyOutcome out;
    takeReadings(now);
    expire(out, at);
    if (after != before + 1)
        return out;
    const Team other = team == Team::Home ? Team::Visitor : Team::Home;
    if (livePenalties(other) <= livePenalties(team))
        return out;

    std::optional<int> chosen;
    for (int clock : clocksOf(other)) {
        const auto& held = m_clocks[slot(clock)];
        if (!held || held->remaining <= 0 || !releasable(held->kind))
            continue;
        if (!chosen) {
            chosen = clock;
            continue;
        }
        const auto& best = m_clocks[slot(*chosen)];
        if (std::tuple(currentMinorLeft(held->kind, held->remaining, m_minorLength), held->id) <
            std::tuple(currentMinorLeft(best->kind, best->remaining, m_minorLength), best->id))
            chosen = clock;
    }
    if (!chosen)
        return out;

    const int clock = *chosen;
    auto& held = m_clocks[slot(clock)];
    Undo undo;
    undo.released = *held;
    if (held->kind == PenaltyKind::DoubleMinor && held->remaining > m_minorLength) {
        PenaltyEvent e = event(PenaltyEventKind::Released, clock, other, held->id, held->kind, held->fullTime,
                               held->remaining, m_minorLength, at);
        undo.releaseSerial = e.serial;
        undo.cutOnly = true;
        held->remaining = m_minorLength;
        out.actions.push_back({ClockAction::Kind::SetAndRun, clock, m_minorLength});
        out.events.push_back(e);
    } else {
        PenaltyEvent e = event(PenaltyEventKind::Released, clock, other, held->id, held->kind, held->fullTime,
                               held->remaining, 0, at);
        undo.releaseSerial = e.serial;
        out.events.push_back(e);
        held.reset();
        undo.started = startQueued(clock, out, at);
        if (!undo.started)
            out.actions.push_back({ClockAction::Kind::Clear, clock, 0});
    }
    m_undo[slot(clock)] = undo;
    return out;
}

PenaltyOutcome PenaltyRules::clocksRead(const PenaltyReadings& now, GameMoment at) {
    PenaltyOutcome out;
    takeReadings(now);
    expire(out, at);
    return out;
}

void PenaltyRules::reset() {
    *this = PenaltyRules{};
}

void PenaltyRules::giveUpClock(int clock) {
    if (!validClock(clock))
        return;
    m_clocks[slot(clock)].reset();
    m_undo[slot(clock)].reset();
}

std::optional<PenaltyOnClock> PenaltyRules::onClock(int clock) const {
    if (!validClock(clock) || !m_clocks[slot(clock)])
        return std::nullopt;
    const Held& held = *m_clocks[slot(clock)];
    return PenaltyOnClock{held.id, held.kind, held.fullTime, held.remaining};
}

std::vector<TimeValue> PenaltyRules::queuedTimes(Team team) const {
    std::vector<TimeValue> times;
    for (const Waiting& waiting : m_queues[side(team)])
        times.push_back(waiting.fullTime);
    return times;
}

PenaltyRulesState PenaltyRules::state() const {
    PenaltyRulesState state;
    for (int clock = kFirstPenaltyClock; clock <= kLastPenaltyClock; ++clock)
        state.clocks[slot(clock)] = onClock(clock);
    for (Team team : {Team::Home, Team::Visitor}) {
        for (const Waiting& waiting : m_queues[side(team)])
            state.queues[side(team)].push_back({waiting.id, waiting.kind, waiting.fullTime});
    }
    state.nextId = m_nextId;
    state.nextSerial = m_nextSerial;
    return state;
}

std::optional<PenaltyRules> PenaltyRules::fromState(const PenaltyRulesState& state) {
    std::set<std::uint64_t> ids;
    const auto valid = [&](std::uint64_t id, PenaltyKind kind, TimeValue fullTime) {
        const bool knownKind = kind == PenaltyKind::Minor || kind == PenaltyKind::DoubleMinor ||
                               kind == PenaltyKind::Major || kind == PenaltyKind::Timed;
        return knownKind && fullTime > 0 && fullTime <= kLongestPenalty && id != 0 && id < state.nextId &&
               ids.insert(id).second;
    };
    PenaltyRules rules;
    for (int clock = kFirstPenaltyClock; clock <= kLastPenaltyClock; ++clock) {
        const auto& saved = state.clocks[slot(clock)];
        if (!saved)
            continue;
        if (!valid(saved->id, saved->kind, saved->fullTime) || saved->remaining < 0 ||
            saved->remaining > saved->fullTime)
            return std::nullopt;
        rules.m_clocks[slot(clock)] = Held{saved->id, saved->kind, saved->fullTime, saved->remaining};
    }
    for (Team team : {Team::Home, Team::Visitor}) {
        const auto& queue = state.queues[side(team)];
        if (queue.size() > kMaxQueued)
            return std::nullopt;
        for (const QueuedPenalty& waiting : queue) {
            if (!valid(waiting.id, waiting.kind, waiting.fullTime))
                return std::nullopt;
            rules.m_queues[side(team)].push_back({waiting.id, waiting.kind, waiting.fullTime});
        }
    }
    if (state.nextSerial == 0)
        return std::nullopt;
    rules.m_nextId = state.nextId;
    rules.m_nextSerial = state.nextSerial;
    return rules;
}
