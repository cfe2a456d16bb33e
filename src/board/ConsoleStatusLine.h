#pragma once
#include "core/game/ConsoleStatus.h"
#include <QLabel>

class BoardModel;
struct SettingsVariables;

// The line under the scorekeeper's board: the selected field and what typing does there, the clock, a sound
// playing, the public board's screen (or why it is not shown) and the feed's address. It follows the board's
// model; the rest is told to it by the program.
class ConsoleStatusLine : public QLabel {
    Q_OBJECT
public:
    ConsoleStatusLine(BoardModel& board, const SettingsVariables& settings, QWidget* parent = nullptr);

    void setSound(game::SoundPlaying sound);
    void setPublicScreen(const QString& note);
    void setFeedAddress(const QString& address);
    // Rereads the key names after the options have changed.
    void refresh();

    // The line wraps at its blanks, and a word wider than the line (a long screen name) wraps where it must:
    // however long the line, it never asks for more width than the console has.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    BoardModel& m_board;
    const SettingsVariables& m_settings;
    game::ConsoleStatusInput m_input;
};
