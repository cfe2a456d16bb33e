#include "BoardModel.h"

BoardModel::BoardModel(QObject* parent) : QObject(parent) {}

void BoardModel::setState(const game::GameState& state) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    if (m_batches > 0) {
        m_changedInBatch = true;
        return;
    }
    emit changed();
}

BoardModel::Batch::Batch(BoardModel& model) : m_model(model) {
    ++m_model.m_batches;
}

BoardModel::Batch::~Batch() {
    if (--m_model.m_batches == 0 && m_model.m_changedInBatch) {
        m_model.m_changedInBatch = false;
        emit m_model.changed();
    }
}

void BoardModel::edit(const std::function<void(game::GameState&)>& change) {
    game::GameState next = m_state;
    change(next);
    setState(next);
}

void BoardModel::setPenaltyPlayer(int clock, int number) {
    edit([clock, number](game::GameState& s) { game::setPenaltyPlayer(s, clock, number); });
}
