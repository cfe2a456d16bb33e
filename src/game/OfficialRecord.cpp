#include "game/OfficialRecord.h"
#include "game/BoardModel.h"
#include "game/GameFiles.h"
#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstddef>

using namespace Qt::StringLiterals;

namespace {

// The longest record file read back (no cap is put on entries; this only keeps a wrong file from filling memory).
constexpr qint64 kLongestRecordFile = 256LL * 1024 * 1024;

} // namespace

OfficialRecord::OfficialRecord(BoardModel& board, QObject* parent)
    : QObject(parent), m_board(board), m_last(board.state()) {
    connect(&board, &BoardModel::changed, this, &OfficialRecord::follow);
    connect(&m_file, &RecordFile::failed, this, &OfficialRecord::failed);
}

void OfficialRecord::setFolder(const QString& folder, const QString& sidecar) {
    m_folder = folder;
    m_sidecar = sidecar;
}

void OfficialRecord::setActive(bool active) {
    if (active == m_active) {
        return;
    }
    m_active = active;
    m_last = m_board.state();
    if (m_active && m_file.path().isEmpty()) {
        nameNewFile();
    }
    emit changed();
}

void OfficialRecord::setTeamNames(const QString& home, const QString& visitor) {
    m_home = home;
    m_visitor = visitor;
}

int OfficialRecord::playerOnClock(int penaltyClock) const {
    if (!m_active || penaltyClock < 1 || penaltyClock > 4) {
        return 0;
    }
    // The board keeps each of the record's penalties on one clock and shows its player there.
    const int player = m_board.state().penaltyPlayers[static_cast<std::size_t>(penaltyClock - 1)];
    return std::max(player, 0);
}

RecordTime OfficialRecord::now() const {
    return recordTimeOf(m_board.state());
}

RuleBookSettings OfficialRecord::settings() const {
    RuleBookSettings settings;
    if (m_minorLength > 0) {
        settings.minorLength = m_minorLength;
    }
    // During an intermission the game clock counts it: the period's length is the next period's.
    const TimeValue set = game::periodLengthOf(m_board.state());
    if (set >= secondsToTime(60) && set <= secondsToTime(std::int64_t{99} * 60)) {
        settings.periodLength = set;
    }
    return settings;
}

RecordHeader OfficialRecord::header() const {
    for (const RecordEntry& e : record().standing()) {
        if (std::holds_alternative<RecordHeader>(e.item)) {
            return record().header();
        }
    }
    RecordHeader h;
    h.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    h.homeTeam = m_home.toStdString();
    h.visitorTeam = m_visitor.toStdString();
    h.periodLength = settings().periodLength;
    return h;
}

void OfficialRecord::startHeader() {
    write({m_keeper.append(header())});
}

void OfficialRecord::write(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        m_file.append(line);
    }
}

void OfficialRecord::follow() {
    const game::GameState state = m_board.state();
    if (!m_active || m_clearing) {
        m_last = state;
        return;
    }
    const TimeValue played = playBetween(m_last, state);
    const bool nextPeriod = periodAdvanced(m_last, state);
    const bool goals = !goalsBetween(m_last, state).empty();
    if (played == 0 && !nextPeriod && !goals) {
        m_last = state;
        return;
    }
    if (record().entries().empty()) {
        // The game's first moment of play: its record starts with the header.
        m_keeper = RecordKeeper(settings());
        startHeader();
    }
    const std::vector<std::string> lines = m_keeper.follow(m_last, state, m_nextPenaltyShot);
    if (goals) {
        m_nextPenaltyShot = false;
    }
    write(lines);
    m_last = state;
    emit changed();
}

void OfficialRecord::add(const RecordItem& item) {
    if (record().entries().empty() && !std::holds_alternative<RecordHeader>(item)) {
        m_keeper = RecordKeeper(settings());
        startHeader();
    }
    write({m_keeper.append(item)});
    emit changed();
}

void OfficialRecord::replace(std::uint64_t seq, const RecordItem& item) {
    write(m_keeper.replace(seq, item));
    emit changed();
}

void OfficialRecord::voidEntry(std::uint64_t seq) {
    if (m_keeper.standingEntry(seq)) {
        add(RecordCorrection{seq});
    }
}

void OfficialRecord::toggleCoincident(std::uint64_t seq) {
    const std::optional<RecordEntry> entry = m_keeper.standingEntry(seq);
    if (!entry || !std::holds_alternative<RecordPenalty>(entry->item)) {
        return;
    }
    RecordPenalty penalty = std::get<RecordPenalty>(entry->item);
    penalty.coincident = !penalty.coincident;
    replace(seq, penalty);
}

void OfficialRecord::endGame(const std::function<void()>& clearBoard) {
    if (!record().entries().empty()) {
        write({m_keeper.append(RecordEnd{now()})});
    }
    m_file.close();
    m_clearing = true;
    if (clearBoard) {
        clearBoard();
    }
    m_clearing = false;
    m_last = m_board.state();
    m_keeper = RecordKeeper(settings());
    m_nextPenaltyShot = false;
    nameNewFile();
    emit changed();
}

void OfficialRecord::nameNewFile() {
    if (m_folder.isEmpty()) {
        m_file.setPath(QString());
        return;
    }
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    const QDir folder(m_folder);
    QString name;
    for (int n = 1;; ++n) {
        name = u"%1-%2.rinkrecord"_s.arg(stamp).arg(n);
        const QFileInfo there(folder.filePath(name));
        if (!there.exists() && !there.isSymLink()) {
            break;
        }
    }
    m_file.setPath(folder.filePath(name));
    if (m_sidecar.isEmpty()) {
        return;
    }
    // The sidecar names the file (its name alone, in the games' folder), replaced whole.
    QSaveFile sidecar(m_sidecar);
    if (!sidecar.open(QIODevice::WriteOnly) || sidecar.write(name.toUtf8() + '\n') < 0 || !sidecar.commit()) {
        qWarning().noquote() << u"The current record's name could not be kept in %1: %2"_s.arg(
            QDir::toNativeSeparators(m_sidecar), sidecar.errorString());
    }
}

bool OfficialRecord::resume(QString* problem) {
    m_last = m_board.state();
    if (m_folder.isEmpty() || m_sidecar.isEmpty()) {
        return false;
    }
    const GameFileText named = readGameFile(m_sidecar, 1024);
    const QString name = named.text ? QString::fromUtf8(*named.text).trimmed() : QString();
    if (named.missing || name.isEmpty() || name.contains(u'/') || name.contains(u'\\') ||
        !name.endsWith(u".rinkrecord"_s) || name.startsWith(u'.')) {
        if (!named.missing && problem != nullptr) {
            *problem = named.problem.isEmpty() ? tr("The current record's name cannot be read.") : named.problem;
        }
        nameNewFile();
        return false;
    }
    const QString path = QDir(m_folder).filePath(name);
    const GameFileText read = readGameFile(path, kLongestRecordFile);
    if (!read.missing && !read.text) {
        if (problem != nullptr) {
            *problem = read.problem;
        }
        nameNewFile();
        return false;
    }
    if (read.text) {
        const RecordReading reading = readRecord(std::string_view(read.text->constData(), read.text->size()));
        for (const std::string& line : reading.problems) {
            qWarning().noquote() << QDir::toNativeSeparators(path) << QString::fromStdString(line);
        }
        if (reading.record.ended()) {
            // A game that was ended: the next entries start a new one.
            nameNewFile();
            return false;
        }
        m_keeper = RecordKeeper::fromRecord(reading.record, settings(), now());
        if (reading.tornLastLine) {
            // The torn line's bytes stay in the file; the next line starts on a line of its own.
            m_file.setPath(path);
            m_file.append("\n");
        }
    }
    m_file.setPath(path);
    emit changed();
    return true;
}
