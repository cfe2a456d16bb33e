#pragma once
#include "core/game/GameModel.h"
#include <QObject>
#include <functional>

// The game the board shows, as one value with a change signal: the board's handlers change it, and the board's
// digits, the feed and the journal follow it. The rules of the game stay in the board's handlers and in
// core; this only holds the answer and says when it moved.
class BoardModel : public QObject {
    Q_OBJECT
public:
    explicit BoardModel(QObject* parent = nullptr);

    const game::GameState& state() const { return m_state; }
    // Replaces the whole state; emits changed() when anything differs.
    void setState(const game::GameState& state);
    // Changes the state in place; emits changed() when anything differs.
    void edit(const std::function<void(game::GameState&)>& change);
    // Notes who serves the penalty on a clock (1..4); a number the board cannot show (-1 among them) notes none.
    void setPenaltyPlayer(int clock, int number);

    // Holds changed() back while it lives and emits it once at its end when anything changed meanwhile, so
    // that what follows the model sees several edits that belong together as one step. Batches nest.
    class Batch {
    public:
        explicit Batch(BoardModel& model);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        BoardModel& m_model;
    };

signals:
    void changed();

private:
    game::GameState m_state;
    int m_batches = 0;
    bool m_changedInBatch = false;
};
