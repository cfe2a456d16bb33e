#include "board/ConsoleStatusLine.h"
#include "core/input/KeyTables.h"
#include "core/settings/Settings.h"
#include "game/BoardModel.h"

namespace {

// A key without a name (a custom key the tables do not know) is still named by its code.
std::string keyName(std::int16_t code) {
    const std::string name = KeyCodeToStr(code);
    return name.empty() ? "key " + std::to_string(code) : name;
}

} // namespace

ConsoleStatusLine::ConsoleStatusLine(BoardModel& board, const SettingsVariables& settings, QWidget* parent)
    : QLabel(parent), m_board(board), m_settings(settings) {
    setObjectName(QStringLiteral("consoleStatus"));
    setTextFormat(Qt::PlainText);
    // A long line wraps instead of widening the console past a small screen.
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
    setMargin(4);
    connect(&board, &BoardModel::changed, this, &ConsoleStatusLine::refresh);
    refresh();
}

void ConsoleStatusLine::setSound(game::SoundPlaying sound) {
    m_input.sound = sound;
    refresh();
}

void ConsoleStatusLine::setPublicScreen(const QString& note) {
    m_input.publicScreen = note.toStdString();
    refresh();
}

void ConsoleStatusLine::setFeedAddress(const QString& address) {
    m_input.feedAddress = address.toStdString();
    refresh();
}

void ConsoleStatusLine::refresh() {
    const game::GameState& s = m_board.state();
    m_input.selected = s.selected;
    m_input.clockRunning = s.clocks[0].running;
    m_input.timeOfDay = s.timeOfDay;
    m_input.startStopKey = keyName(m_settings.StartStopClockKey);
    m_input.clearKey = keyName(m_settings.ClearKey);
    m_input.sepTimeKey = keyName(m_settings.SepTimeKey);
    m_input.penaltyRules = m_settings.PenaltyRules;
    for (std::size_t t = 0; t < 2; ++t) {
        m_input.waiting[t].clear();
        for (const QueuedPenalty& q : s.rules.penalties.queues[t])
            m_input.waiting[t].push_back(q.fullTime);
    }
    const QString line = QString::fromStdString(game::consoleStatus(m_input));
    if (line != text())
        setText(line);
}
