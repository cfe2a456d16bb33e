#include "BoardModel.h"

BoardModel::BoardModel(QObject* parent) : QObject(parent) {}

void BoardModel::setState(const game::GameState& state) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    emit changed();
}

void BoardModel::edit(const std::function<void(game::GameState&)>& change) {
    game::GameState next = m_state;
    change(next);
    setState(next);
}
