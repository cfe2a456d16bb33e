#include "RecordKeeping.h"

#include <algorithm>
#include <ranges>
#include <set>

namespace {

int scoreOf(const std::array<int, 2>& digits) {
    return game::numberShown(digits.data(), digits.size());
}

int periodOf(const game::GameState& state) {
    return game::numberShown(state.periodDigits.data(), state.periodDigits.size());
}

// The moment a book's time is on the record. Penalties stand still through an intermission: what goes on the
// clock then starts with the next period.
RecordTime recordTimeOfBook(const GameClock& clock, TimeValue periodLength) {
    if (clock.intermission)
        return RecordTime{std::clamp(clock.period + 1, 1, kMaxPeriod), periodLength};
    return RecordTime{std::clamp(clock.period, 1, kMaxPeriod), clock.remaining};
}

bool isRecordedOnly(BookKind kind) {
    return kind == BookKind::GameMisconduct || kind == BookKind::Match;
}

std::optional<RecordTime> momentOf(const RecordItem& item) {
    return std::visit(
        [](const auto& entry) -> std::optional<RecordTime> {
            if constexpr (requires { entry.at; })
                return entry.at;
            else
                return std::nullopt;
        },
        item);
}

bool later(const RecordTime& a, const RecordTime& b) {
    return a.period != b.period ? a.period > b.period : a.remaining < b.remaining;
}

std::set<std::uint64_t> voidedIn(const GameRecord& record) {
    std::set<std::uint64_t> voided;
    for (const RecordEntry& e : record.entries())
        if (const auto* c = std::get_if<RecordCorrection>(&e.item))
            voided.insert(c->voids);
    return voided;
}

} // namespace

TimeValue playBetween(const game::GameState& before, const game::GameState& after) {
    const ClockRecord& was = before.clocks[0];
    const ClockRecord& now = after.clocks[0];
    // An intermission's countdown is no game time.
    if (before.intermission || after.intermission)
        return 0;
    if (was.countUp || now.countUp || was.setTime != now.setTime || !(was.running || now.running))
        return 0;
    // Only the time the clock counted down: nothing beyond its zero.
    const TimeValue usedBefore = std::clamp<TimeValue>(was.used, 0, was.setTime);
    const TimeValue usedAfter = std::clamp<TimeValue>(now.used, 0, now.setTime);
    return std::max<TimeValue>(0, usedAfter - usedBefore);
}

std::vector<Team> goalsBetween(const game::GameState& before, const game::GameState& after) {
    std::vector<Team> goals;
    if (scoreOf(after.homeDigits) == scoreOf(before.homeDigits) + 1)
        goals.push_back(Team::Home);
    if (scoreOf(after.visitorDigits) == scoreOf(before.visitorDigits) + 1)
        goals.push_back(Team::Visitor);
    return goals;
}

bool periodAdvanced(const game::GameState& before, const game::GameState& after) {
    const int was = periodOf(before);
    return was >= 1 && periodOf(after) == was + 1;
}

RecordTime recordTimeOf(const game::GameState& state) {
    // During an intermission the game clock counts it: the moment is the period's end.
    return RecordTime{std::clamp(periodOf(state), 1, kMaxPeriod), state.intermission ? 0 : game::gameTimeLeft(state)};
}

std::optional<RuleBook::Entry> bookEntryOf(const RecordItem& item) {
    RuleBook::Entry entry;
    if (const auto* p = std::get_if<RecordPenalty>(&item)) {
        entry.kind = RuleBook::Entry::Kind::Penalty;
        entry.call = PenaltyCall{p->team, p->kind, p->player, p->servedBy, p->infraction};
        return entry;
    }
    if (const auto* g = std::get_if<RecordGoal>(&item)) {
        entry.kind = RuleBook::Entry::Kind::Goal;
        entry.scorer = g->team;
        entry.how.noRelease = g->penaltyShot;
        if (g->release > 0)
            entry.how.choice = g->release;
        return entry;
    }
    return std::nullopt;
}

RecordKeeper::RecordKeeper(RuleBookSettings settings) : m_settings(settings), m_book(settings) {}

RecordKeeper RecordKeeper::fromRecord(const GameRecord& record, RuleBookSettings settings,
                                      std::optional<RecordTime> now) {
    RecordKeeper keeper(settings);
    keeper.m_record = record;
    const std::vector<RecordEntry> standing = record.standing();
    bool hasHeader = false;
    std::vector<const RecordEntry*> counted;
    for (const RecordEntry& e : standing) {
        hasHeader = hasHeader || std::holds_alternative<RecordHeader>(e.item);
        if (bookEntryOf(e.item))
            counted.push_back(&e);
    }
    if (hasHeader) {
        keeper.m_settings.periodLength = record.header().periodLength;
        keeper.m_book = RuleBook(keeper.m_settings);
    }
    const auto timeOf = [](const RecordEntry* e) {
        return std::visit(
            [](const auto& item) -> RecordTime {
                if constexpr (requires { item.at; })
                    return item.at;
                else
                    return RecordTime{};
            },
            e->item);
    };
    // Game-clock order: the period, then the time left counting down; one moment keeps the order written.
    std::stable_sort(counted.begin(), counted.end(), [&timeOf](const RecordEntry* a, const RecordEntry* b) {
        const RecordTime ta = timeOf(a);
        const RecordTime tb = timeOf(b);
        return ta.period != tb.period ? ta.period < tb.period : ta.remaining > tb.remaining;
    });
    for (const RecordEntry* e : counted) {
        keeper.catchUp(timeOf(e));
        keeper.tellBook(e->seq, e->item);
    }
    if (now)
        keeper.catchUp(*now);
    return keeper;
}

std::string RecordKeeper::append(RecordItem item) {
    // A goal's strength is the one on the ice as it was scored: the book's before it counts the goal.
    if (auto* goal = std::get_if<RecordGoal>(&item); goal != nullptr && goal->strength.empty())
        goal->strength = goal->emptyNet ? "EN" : goalStrengthLabel(m_book.strength(), goal->team);
    std::string line = m_record.append(item);
    tellBook(m_record.entries().back().seq, item);
    return line;
}

void RecordKeeper::tellBook(std::uint64_t seq, const RecordItem& item) {
    if (const auto* h = std::get_if<RecordHeader>(&item)) {
        if (h->periodLength != m_settings.periodLength) {
            m_settings.periodLength = h->periodLength;
            rebuild();
        }
        return;
    }
    if (std::holds_alternative<RecordCorrection>(item)) {
        rebuild(); // the voided entry is left out
        return;
    }
    const std::optional<RuleBook::Entry> entry = bookEntryOf(item);
    if (!entry)
        return;
    if (entry->kind == RuleBook::Entry::Kind::Penalty) {
        const std::uint64_t id = m_book.give(entry->call);
        if (std::get<RecordPenalty>(item).coincident)
            m_book.markCoincident(id, true);
    } else {
        m_book.goal(entry->scorer, entry->how);
    }
    m_entrySeq.resize(m_book.entries().size(), 0);
    m_entrySeq.back() = seq;
}

void RecordKeeper::rebuild() {
    const std::set<std::uint64_t> voided = voidedIn(m_record);
    std::vector<RuleBook::Entry> entries;
    std::vector<std::uint64_t> seqs;
    std::map<std::uint64_t, bool> marks;
    std::uint64_t id = 0;
    const std::vector<RuleBook::Entry>& kept = m_book.entries();
    for (std::size_t i = 0; i < kept.size() && i < m_entrySeq.size(); ++i) {
        const std::uint64_t seq = m_entrySeq[i];
        if (seq != 0 && voided.count(seq) > 0)
            continue;
        entries.push_back(kept[i]);
        seqs.push_back(seq);
        if (kept[i].kind == RuleBook::Entry::Kind::Penalty) {
            ++id;
            if (const std::optional<RecordEntry> e = standingEntry(seq))
                if (const auto* p = std::get_if<RecordPenalty>(&e->item); p != nullptr && p->coincident)
                    marks[id] = true;
        }
    }
    m_book = RuleBook::restored(m_settings, std::move(entries), marks);
    m_entrySeq = std::move(seqs);
    m_entrySeq.resize(m_book.entries().size(), 0);
}

std::vector<std::string> RecordKeeper::replace(std::uint64_t seq, RecordItem item) {
    const std::optional<RecordEntry> old = standingEntry(seq);
    if (!old)
        return {};
    // A goal given again keeps the strength it was scored at.
    if (auto* goal = std::get_if<RecordGoal>(&item); goal != nullptr && goal->strength.empty()) {
        const auto* was = std::get_if<RecordGoal>(&old->item);
        goal->strength = goal->emptyNet ? "EN" : was != nullptr ? was->strength : std::string();
    }
    std::vector<std::string> lines;
    lines.push_back(m_record.append(RecordCorrection{seq}));
    lines.push_back(m_record.append(item));
    const std::uint64_t newSeq = m_record.entries().back().seq;
    const auto at = std::find(m_entrySeq.begin(), m_entrySeq.end(), seq);
    const std::optional<RuleBook::Entry> entry = bookEntryOf(item);
    if (at != m_entrySeq.end() && entry) {
        // The new entry takes the old one's place in the game.
        const auto index = static_cast<std::size_t>(at - m_entrySeq.begin());
        std::vector<RuleBook::Entry> entries = m_book.entries();
        const std::map<std::uint64_t, bool> marks = m_book.marks();
        entries[index] = *entry;
        m_book = RuleBook::restored(m_settings, std::move(entries), marks);
        m_entrySeq[index] = newSeq;
        rebuild();
    } else {
        rebuild();
        tellBook(newSeq, item);
    }
    return lines;
}

std::vector<std::string> RecordKeeper::follow(const game::GameState& before, const game::GameState& after,
                                              bool penaltyShot) {
    std::vector<std::string> lines;
    play(playBetween(before, after));
    if (periodAdvanced(before, after))
        nextPeriod();
    for (const Team team : goalsBetween(before, after)) {
        RecordGoal goal;
        goal.at = recordTimeOf(after);
        goal.team = team;
        goal.penaltyShot = penaltyShot;
        penaltyShot = false;
        lines.push_back(append(goal));
    }
    return lines;
}

void RecordKeeper::play(TimeValue elapsed) {
    if (elapsed <= 0)
        return;
    m_book.run(elapsed);
    m_entrySeq.resize(m_book.entries().size(), 0);
}

void RecordKeeper::nextPeriod() {
    const GameClock clock = m_book.clock();
    if (!clock.intermission) {
        // What was left of the period counts as played: the board has moved on.
        play(clock.remaining);
        m_book.startIntermission();
    }
    m_book.run(m_book.clock().remaining);
    m_entrySeq.resize(m_book.entries().size(), 0);
}

void RecordKeeper::catchUp(const RecordTime& to) {
    for (int i = 0; i <= kMaxPeriod && m_book.clock().period < to.period; ++i)
        nextPeriod();
    const GameClock clock = m_book.clock();
    if (!clock.intermission && clock.period == to.period && clock.remaining > to.remaining)
        play(clock.remaining - to.remaining);
}

std::optional<RecordEntry> RecordKeeper::standingEntry(std::uint64_t seq) const {
    if (seq == 0 || voidedIn(m_record).count(seq) > 0)
        return std::nullopt;
    for (const RecordEntry& e : m_record.entries())
        if (e.seq == seq && !std::holds_alternative<RecordCorrection>(e.item))
            return e;
    return std::nullopt;
}

std::optional<std::uint64_t> RecordKeeper::penaltyIdOf(std::uint64_t seq) const {
    std::uint64_t id = 0;
    const std::vector<RuleBook::Entry>& entries = m_book.entries();
    for (std::size_t i = 0; i < entries.size() && i < m_entrySeq.size(); ++i) {
        if (entries[i].kind != RuleBook::Entry::Kind::Penalty)
            continue;
        ++id;
        if (m_entrySeq[i] == seq)
            return id;
    }
    return std::nullopt;
}

std::optional<RecordEntry> RecordKeeper::latestGoal() const {
    const std::vector<RecordEntry> standing = m_record.standing();
    const auto goal = std::find_if(standing.rbegin(), standing.rend(),
                                   [](const RecordEntry& e) { return std::holds_alternative<RecordGoal>(e.item); });
    if (goal == standing.rend()) {
        return std::nullopt;
    }
    return *goal;
}

std::optional<GoalOutcome> RecordKeeper::outcomeOf(std::uint64_t seq) const {
    std::size_t goal = 0;
    const std::vector<RuleBook::Entry>& entries = m_book.entries();
    for (std::size_t i = 0; i < entries.size() && i < m_entrySeq.size(); ++i) {
        if (entries[i].kind != RuleBook::Entry::Kind::Goal)
            continue;
        if (m_entrySeq[i] == seq && goal < m_book.goals().size())
            return m_book.goals()[goal];
        ++goal;
    }
    return std::nullopt;
}

std::vector<std::uint64_t> RecordKeeper::seqOfPenalties() const {
    std::vector<std::uint64_t> seqOfId;
    const std::vector<RuleBook::Entry>& entries = m_book.entries();
    for (std::size_t i = 0; i < entries.size() && i < m_entrySeq.size(); ++i)
        if (entries[i].kind == RuleBook::Entry::Kind::Penalty)
            seqOfId.push_back(m_entrySeq[i]);
    return seqOfId;
}

RecordedPenalties RecordKeeper::shownOnBoard() const {
    const std::vector<std::uint64_t> seqOfId = seqOfPenalties();
    RecordedPenalties shown;
    for (const Team team : {Team::Home, Team::Visitor}) {
        std::vector<RecordedPenalty>& clocks = shown[team == Team::Home ? 0 : 1];
        for (const std::uint64_t id : m_book.shownOnClocks(team, m_book.penalties().size())) {
            const BookPenalty* p = m_book.penalty(id);
            if (p == nullptr || p->call.kind == BookKind::Misconduct || p->remaining <= 0 || clocks.size() >= 2)
                continue;
            RecordedPenalty r;
            // The record's entry names it; a penalty the book holds from no entry keeps clear of their numbers.
            const std::uint64_t seq = id <= seqOfId.size() ? seqOfId[id - 1] : 0;
            r.id = seq != 0 ? seq : (std::uint64_t{1} << 62) + id;
            r.remaining = std::min(p->remaining, kLongestPenalty);
            const int player = p->call.player > 0 ? p->call.player : p->call.servedBy;
            r.player = player > 0 && player <= game::kMaxPlayerNumber ? player : -1;
            clocks.push_back(r);
        }
    }
    return shown;
}

std::vector<PenaltyView> RecordKeeper::openPenalties() const {
    const std::vector<std::uint64_t> seqOfId = seqOfPenalties();
    std::vector<PenaltyView> views;
    for (const BookPenalty& p : m_book.penalties()) {
        if (p.state != BookState::Waiting && p.state != BookState::Running)
            continue;
        PenaltyView v;
        v.id = p.id;
        v.seq = p.id >= 1 && p.id <= seqOfId.size() ? seqOfId[p.id - 1] : 0;
        v.team = p.call.team;
        v.player = p.call.player;
        v.servedBy = p.call.servedBy;
        v.kind = bookKindName(p.call.kind);
        v.infraction = p.call.infraction;
        v.state = bookStateName(p.state);
        v.remaining = p.remaining;
        v.endsAt = m_book.endsAt(p);
        v.coincident = p.coincident;
        views.push_back(std::move(v));
    }
    return views;
}

GameRecord recordWithServedTimes(const RecordKeeper& keeper) {
    const RuleBook& book = keeper.book();
    const TimeValue periodLength = book.settings().periodLength;
    GameRecord out;
    for (RecordEntry entry : keeper.record().entries()) {
        if (auto* p = std::get_if<RecordPenalty>(&entry.item)) {
            if (isRecordedOnly(p->kind)) {
                if (!p->start)
                    p->start = p->at;
            } else if (const std::optional<std::uint64_t> id = keeper.penaltyIdOf(entry.seq)) {
                const BookPenalty* served = book.penalty(*id);
                if (served != nullptr && served->started) {
                    if (!p->start)
                        p->start = recordTimeOfBook(*served->started, periodLength);
                    if (!p->end && served->ended)
                        p->end = recordTimeOfBook(*served->ended, periodLength);
                }
            }
        }
        out.restore(std::move(entry));
    }
    return out;
}

GameRecord recordWithServedTimes(const GameRecord& record, RuleBookSettings settings) {
    std::optional<RecordTime> latest;
    std::optional<RecordTime> end;
    for (const RecordEntry& e : record.standing()) {
        if (const auto* ended = std::get_if<RecordEnd>(&e.item))
            end = ended->at;
        if (const std::optional<RecordTime> at = momentOf(e.item); at && (!latest || later(*at, *latest)))
            latest = at;
    }
    return recordWithServedTimes(RecordKeeper::fromRecord(record, settings, end ? end : latest));
}
