#pragma once
#include "core/rules/RecordKeeping.h"
#include "game/RecordFile.h"
#include <QObject>
#include <QString>
#include <functional>

class BoardModel;

// The off-ice official's record of the game on the board, kept as it happens: the record and its rule book
// (core/rules/RecordKeeping) follow the board's model (play, periods, goals) and take the official's entries;
// every entry is appended to the game's record file at once. Each game has a file of its own, made at its first
// entry (a header first); End game closes it and the next game starts another.
class OfficialRecord : public QObject {
    Q_OBJECT
public:
    explicit OfficialRecord(BoardModel& board, QObject* parent = nullptr);

    // Where the games' record files go (empty: kept in memory only) and the small file that names the current
    // one, read back when the journal's game is resumed.
    void setFolder(const QString& folder, const QString& sidecar);
    // While off, the board is not followed and nothing is written.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // The teams' names a new header starts with.
    void setTeamNames(const QString& home, const QString& visitor);
    // The minor penalty's length the rule book counts with (from the next game, or the game read back on resume).
    void setMinorLength(TimeValue length) { m_minorLength = length; }

    const RecordKeeper& keeper() const { return m_keeper; }
    const GameRecord& record() const { return m_keeper.record(); }
    QString path() const { return m_file.path(); }
    // The player of the record's penalty a board's penalty clock runs (1, 2 home; 3, 4 visitor); 0: none.
    int playerOnClock(int penaltyClock) const;
    // The board's moment as the record writes it.
    RecordTime now() const;

    // The official's entries. A header comes first when the game has none yet.
    void add(const RecordItem& item);
    void replace(std::uint64_t seq, const RecordItem& item);
    void voidEntry(std::uint64_t seq);
    // Marks a penalty coincident, or takes the mark off.
    void toggleCoincident(std::uint64_t seq);
    // The board's next goal is a penalty-shot goal (it ends no penalty).
    void setNextGoalPenaltyShot(bool penaltyShot) { m_nextPenaltyShot = penaltyShot; }
    // The header as it stands, or the one a new game starts with.
    RecordHeader header() const;

    // A new game on the board: the end entry, the file closed, the board cleared through `clearBoard`, a new
    // file named for the next entry.
    void endGame(const std::function<void()>& clearBoard);
    // The game of the file the sidecar names (the journal's game was resumed); false with the reason otherwise,
    // and a new game's file is named instead.
    bool resume(QString* problem);

signals:
    // Anything the console or the feed shows moved: an entry, or the play counted.
    void changed();
    void failed(const QString& reason);

private:
    void follow();
    void write(const std::vector<std::string>& lines);
    void startHeader();
    void nameNewFile();
    RuleBookSettings settings() const;

    BoardModel& m_board;
    game::GameState m_last;
    RecordKeeper m_keeper;
    RecordFile m_file;
    QString m_folder;
    QString m_sidecar;
    QString m_home = QStringLiteral("Home");
    QString m_visitor = QStringLiteral("Visitor");
    TimeValue m_minorLength = kMinorTime;
    bool m_active = false;
    bool m_nextPenaltyShot = false;
    bool m_clearing = false;
};
