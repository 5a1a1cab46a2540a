#pragma once

#include <cstdint>

// A TCP port of 127.0.0.1 that was free a moment ago (found by binding port
// 0 and closing again). Nobody listens on it, so a connect there is refused.
uint16_t FreeLocalPort();
