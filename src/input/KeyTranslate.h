#pragma once

class QKeyEvent;

// The Windows virtual-key code of the key behind a key event: the one translation every key
// handler of the program uses, so the board's key settings mean the same keys on every platform.
// 0 when the key has no such code.
int windowsKeyCode(const QKeyEvent* event);
