#pragma once
#include "core/UiText.h"
#include <QString>

// A text of the core in the program's language: each phrase through QCoreApplication::translate in its
// context (English when no translation is loaded or none is known), names and numbers as they are.
QString translated(const UiText& text);
