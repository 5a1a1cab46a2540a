#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Runs the event loop until condition() holds or timeoutMs have passed;
// returns whether the condition holds. The condition is checked at least
// every few milliseconds even when no event arrives, so it may also watch
// things outside the event loop (a process, a file).
bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 10000);

// Runs the event loop for about ms milliseconds without a condition: only
// for letting something that must NOT happen get its chance to happen.
void PumpEvents(int ms);

// Waits until one of the lines received from scanFrom on matches; moves
// scanFrom past it and gives it in found (when not null). For the test peers
// that collect what they receive line by line.
bool WaitForNewLine(const std::vector<std::string> &lines, size_t &scanFrom,
                    const std::function<bool(const std::string &)> &match, int timeoutMs, std::string *found);
