#include "board/ConsoleStatusLine.h"
#include "core/input/KeyTables.h"
#include "core/settings/Settings.h"
#include "game/BoardModel.h"
#include "game/TranslatedText.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// The width the line asks for when nothing else decides it; any width down to one character works.
constexpr int kPreferredWidth = 480;

// Lays text out in lines of at most width pixels: at blanks, or inside a word wider than a line.
qreal layOut(QTextLayout& layout, qreal width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// A key without a name (a custom key the tables do not know) is still named by its code.
std::string keyName(std::int16_t code) {
    const std::string name = keyCodeToStr(code);
    return name.empty() ? QCoreApplication::translate("ConsoleStatusLine", "key %1").arg(code).toStdString() : name;
}

} // namespace

ConsoleStatusLine::ConsoleStatusLine(BoardModel& board, const SettingsVariables& settings, QWidget* parent)
    : QLabel(parent), m_board(board), m_settings(settings) {
    setObjectName(QStringLiteral("consoleStatus"));
    setTextFormat(Qt::PlainText);
    // A long line wraps instead of widening the console past a small screen.
    setWordWrap(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
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
    const QString line = translated(game::consoleStatusText(m_input));
    if (line != text()) {
        setText(line);
        updateGeometry();
    }
}

QSize ConsoleStatusLine::sizeHint() const {
    const int width = std::min(kPreferredWidth, fontMetrics().horizontalAdvance(text()) + 2 * margin() + 1);
    return {width, heightForWidth(width)};
}

QSize ConsoleStatusLine::minimumSizeHint() const {
    return {0, fontMetrics().height() + 2 * margin()};
}

int ConsoleStatusLine::heightForWidth(int width) const {
    QTextLayout layout(text(), font());
    const qreal height = layOut(layout, width - 2 * margin());
    return std::max(fontMetrics().height(), static_cast<int>(std::ceil(height))) + 2 * margin();
}

void ConsoleStatusLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    QTextLayout layout(text(), font());
    layOut(layout, width() - 2 * margin());
    layout.draw(&painter, QPointF(margin(), margin()));
}

void ConsoleStatusLine::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateGeometry();
}
