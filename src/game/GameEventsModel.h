#pragma once
#include "core/game/GameEvents.h"
#include <QAbstractTableModel>
#include <QPointer>
#include <QString>
#include <functional>

class BoardModel;

// The game's event list for the console: it follows the board's model, compares each state with the one
// before and adds what happened; the horn and the buzzer are noted by whoever sounds them. One row an event:
// the wall time, the period, the game clock and what happened.
class GameEventsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { WallTime, Period, GameClock, What, ColumnCount };

    // now answers milliseconds since 1970-01-01 UTC (the system clock in the program, a fixed clock in tests).
    explicit GameEventsModel(BoardModel& board, std::function<qint64()> now = {}, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const std::vector<game::GameEvent>& events() const { return m_list.events(); }
    // The teams as the board names them, for the rows' texts.
    void setTeamNames(const QString& home, const QString& visitor);
    // Notes the horn or the buzzer over the game as it stands.
    void noteSound(game::EventKind sound);
    // Puts back a list saved with the game and follows the board from its present state, so that bringing back
    // a saved game adds no events of its own.
    void restore(const std::vector<game::GameEvent>& events);
    void clear();
    // The player number a penalty event's clock stands for (0: none known), shown with the event. Asked when the
    // event is added, and again by refreshPlayers for the events of the present stoppage that have none yet.
    void setPlayerOf(std::function<int(const game::GameEvent&)> playerOf) { m_playerOf = std::move(playerOf); }
    void refreshPlayers();
    int playerAt(int row) const;

    // The list as CSV with the wall times in local time.
    std::string csv() const;
    // Writes the CSV to a file; false with the reason when it cannot.
    bool saveCsv(const QString& path, QString* error) const;
    // The wall time as the console shows it: local time of day, HH:MM:SS.
    static QString wallText(qint64 millis);

signals:
    // Rows were added (a goal, a stop ...): the console scrolls to the newest.
    void eventsAdded();

private:
    void follow();
    void append(const std::vector<game::GameEvent>& events);

    BoardModel& m_board;
    std::function<qint64()> m_now;
    game::GameState m_last;
    game::EventList m_list;
    QString m_home = QStringLiteral("Home");
    QString m_visitor = QStringLiteral("Visitor");
    std::function<int(const game::GameEvent&)> m_playerOf;
    std::vector<int> m_players; // by row
};

// Asks for a file name beside the settings and saves the list there; tells the user when it cannot.
void saveEventsAsCsv(QWidget* parent, const GameEventsModel& events);
