#include "BoardReader.h"
#include "board/frmScoreBoard.h"

namespace {

PenaltyState readPenalty(const LumGroup& digits, const ShapeControl* light, modCount& engine, int clock,
                         const QColor& off) {
    PenaltyState p;
    p.digits = digits.captions();
    p.running = engine.IsClockRunning(clock) != 0;
    p.remaining = engine.PeekClockValue(clock);
    p.light = light->FillColor() != off;
    return p;
}

} // namespace

BoardState readBoardState(const frmScoreBoard& board, modCount& engine, const SettingsVariables& settings) {
    BoardState s;
    s.clock.digits = board.lumTime.captions();
    s.clock.colon = board.Shape2[0]->FillColor() != fromOleColor(settings.LEDBack);
    s.clock.running = engine.IsClockRunning(0) != 0;
    s.clock.remaining = engine.PeekClockValue(0);
    s.clock.timeOfDay = board.ClockTime != 0;
    s.periodDigits = board.lumPeriod.captions();

    const QColor lightOff = fromOleColor(settings.FormBack);
    s.home.name = board.lblHome->text().toStdString();
    s.home.scoreDigits = board.lumHome.captions();
    s.home.goalLight = board.WhoGoal == 1;
    s.home.penalties[0] = readPenalty(board.lumPenaltyTH1, board.shpPenaltyH[0], engine, 1, lightOff);
    s.home.penalties[1] = readPenalty(board.lumPenaltyTH2, board.shpPenaltyH[1], engine, 2, lightOff);
    s.visitor.name = board.lblVisitor->text().toStdString();
    s.visitor.scoreDigits = board.lumVisitor.captions();
    s.visitor.goalLight = board.WhoGoal == 2;
    s.visitor.penalties[0] = readPenalty(board.lumPenaltyTV1, board.shpPenaltyV[0], engine, 3, lightOff);
    s.visitor.penalties[1] = readPenalty(board.lumPenaltyTV2, board.shpPenaltyV[1], engine, 4, lightOff);

    s.soundPlaying = board.BuzzerPlaying != 0;
    if (const PictureBoxControl* field = board.selectedField()) {
        s.selectedField = field->objectName().toStdString();
    }
    return s;
}
