#pragma once
#include "core/TimeValue.h"
#include "core/feed/BoardState.h"
#include <string>
#include <string_view>

// The board's state as the JSON document that GET /state answers and the live socket pushes. Keys keep a
// fixed order, so two equal states give byte-for-byte the same text and a change shows as a different text.
std::string stateDocument(const BoardState& state);

// A JSON string literal (with its quotes) of UTF-8 text. Bytes that are not valid UTF-8 become U+FFFD, so
// a hand-edited team name can never make the document unreadable.
std::string jsonString(std::string_view text);

// Seconds with at least one decimal, from exact ten-thousandths: 600.0, 59.9, 0.0, 1.2345.
std::string jsonSeconds(TimeValue t);
