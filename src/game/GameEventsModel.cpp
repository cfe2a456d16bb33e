#include "game/GameEventsModel.h"
#include "game/BoardModel.h"
#include "game/TranslatedText.h"
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

GameEventsModel::GameEventsModel(BoardModel& board, std::function<qint64()> now, QObject* parent)
    : QAbstractTableModel(parent), m_board(board), m_now(std::move(now)), m_last(board.state()) {
    if (!m_now)
        m_now = [] { return QDateTime::currentMSecsSinceEpoch(); };
    connect(&board, &BoardModel::changed, this, &GameEventsModel::follow);
}

void GameEventsModel::follow() {
    const game::GameState now = m_board.state();
    std::vector<game::GameEvent> found = game::eventsBetween(m_last, now, m_now());
    m_last = now;
    append(found);
}

void GameEventsModel::noteSound(game::EventKind sound) {
    append({game::soundEvent(sound, m_board.state(), m_now())});
}

void GameEventsModel::append(const std::vector<game::GameEvent>& events) {
    if (events.empty())
        return;
    for (const game::GameEvent& e : events) {
        // A full list lets its oldest event go first.
        if (m_list.events().size() >= game::kMaxEvents) {
            beginRemoveRows({}, 0, 0);
            m_list.dropOldest();
            if (!m_players.empty())
                m_players.erase(m_players.begin());
            endRemoveRows();
        }
        const int row = static_cast<int>(m_list.events().size());
        beginInsertRows({}, row, row);
        m_list.add(e);
        m_players.resize(m_list.events().size(), 0);
        m_players.back() = m_playerOf && e.penaltyClock > 0 ? m_playerOf(e) : 0;
        endInsertRows();
    }
    emit eventsAdded();
}

void GameEventsModel::restore(const std::vector<game::GameEvent>& events) {
    beginResetModel();
    m_list.clear();
    for (const game::GameEvent& e : events)
        m_list.add(e);
    m_players.assign(m_list.events().size(), 0);
    m_last = m_board.state();
    endResetModel();
}

void GameEventsModel::clear() {
    restore({});
}

void GameEventsModel::setTeamNames(const QString& home, const QString& visitor) {
    m_home = home;
    m_visitor = visitor;
    if (!m_list.events().empty())
        emit dataChanged(index(0, What), index(rowCount() - 1, What));
}

int GameEventsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.events().size());
}

int GameEventsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GameEventsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    const game::GameEvent& e = m_list.events()[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case WallTime:
        return wallText(e.wallMillis);
    case Period:
        return e.period;
    case GameClock:
        return QString::fromStdString(game::clockText(e.gameClock));
    case What: {
        const QString text = translated(game::eventUiText(e, m_home.toStdString(), m_visitor.toStdString()));
        const int player = playerAt(index.row());
        return player > 0 ? tr("%1, player %2").arg(text).arg(player) : text;
    }
    default:
        return {};
    }
}

int GameEventsModel::playerAt(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_players.size() ? m_players[static_cast<std::size_t>(row)] : 0;
}

void GameEventsModel::refreshPlayers() {
    if (!m_playerOf)
        return;
    const std::vector<game::GameEvent>& events = m_list.events();
    const int period = game::numberShown(m_last.periodDigits.data(), m_last.periodDigits.size());
    const TimeValue clock = game::gameTimeLeft(m_last);
    for (std::size_t i = std::min(events.size(), m_players.size()); i-- > 0;) {
        const game::GameEvent& e = events[i];
        // Only the present stoppage: the events at the game clock's present time.
        if (e.period != period || e.gameClock != clock)
            break;
        if (m_players[i] == 0 && e.penaltyClock > 0) {
            m_players[i] = m_playerOf(e);
            if (m_players[i] > 0) {
                const QModelIndex cell = index(static_cast<int>(i), What);
                emit dataChanged(cell, cell);
            }
        }
    }
}

QVariant GameEventsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case WallTime:
        return tr("Time");
    case Period:
        return tr("Period");
    case GameClock:
        return tr("Game clock");
    case What:
        return tr("Event");
    default:
        return {};
    }
}

QString GameEventsModel::wallText(qint64 millis) {
    return QDateTime::fromMSecsSinceEpoch(millis).toString(QStringLiteral("HH:mm:ss"));
}

std::string GameEventsModel::csv() const {
    return game::eventsCsv(m_list.events(), m_home.toStdString(), m_visitor.toStdString(),
                           [](std::int64_t ms) { return wallText(ms).toStdString(); });
}

bool GameEventsModel::saveCsv(const QString& path, QString* error) const {
    // Written whole or not at all: a half-written sheet is worse than the old one.
    QSaveFile file(path);
    const std::string text = csv();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    return true;
}

void saveEventsAsCsv(QWidget* parent, const GameEventsModel& events) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = folder + QStringLiteral("/game-") +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm")) +
                              QStringLiteral(".csv");
    const QString path = QFileDialog::getSaveFileName(parent, GameEventsModel::tr("Save events as CSV"), suggested,
                                                      GameEventsModel::tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!events.saveCsv(path, &error)) {
        QMessageBox::warning(parent, QStringLiteral("Rinkmaster"),
                             GameEventsModel::tr("The events could not be saved to %1: %2").arg(path, error));
    }
}
