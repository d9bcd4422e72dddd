// The review's small texts: intervals on the grade buttons, the time of the next card.
#pragma once

#include <cstdint>
#include <string>

#include "practice/reviewqueue.h"

// "1 min", "10 min", "5 h", "3 d", "2 mo", "1.5 y": whole units up to months, then one
// decimal where it tells something (the user's decimal sign).
std::wstring IntervalText(std::int64_t seconds);
// The date (and, for a card in its steps, the time) the next card can be asked, in the
// user's formats; the text for a review without cards when there is none.
std::wstring NextCardText(const NextAvailable& next);
