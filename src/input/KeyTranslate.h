#pragma once
class QKeyEvent;
int windowsKeyCode(const QKeyEvent* event);
