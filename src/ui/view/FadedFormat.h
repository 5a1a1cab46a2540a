// The look of lines shown again from a conversation's log.
#pragma once

#include "text/FormatLine.h"

#include <cstdint>

// The colour halfway between a colour and the background (0xRRGGBB both).
uint32_t FadedColor(uint32_t color, uint32_t background);

// A window's format context for lines shown again: every colour it writes
// (the classes, the time stamps, the own nick and contacts) faded halfway to
// its background, so that old lines read as old beside new ones.
FormatContext FadedFormat(const FormatContext &context);
