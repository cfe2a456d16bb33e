#pragma once
#include "core/feed/BoardLayoutDocument.h"

class BoardView;

// The board's controls as the layout document describes them: the positions the board's stretch scales from
// (its recorded layout), each control's kind, captions and colours as they are now.
BoardLayout readBoardLayout(const BoardView& board);
