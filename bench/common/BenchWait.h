#pragma once

#include <functional>

// Runs the event loop until condition() holds (checked at least every 10 ms)
// or timeoutMs have passed; whether it holds.
bool WaitUntil(const std::function<bool()> &condition, int timeoutMs);
