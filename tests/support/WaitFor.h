#pragma once

#include <functional>

// Runs the event loop until condition() holds or timeoutMs have passed;
// returns whether the condition holds. The condition is checked at least
// every few milliseconds even when no event arrives, so it may also watch
// things outside the event loop (a process, a file).
bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 10000);

// Runs the event loop for about ms milliseconds without a condition: only
// for letting something that must NOT happen get its chance to happen.
void PumpEvents(int ms);
