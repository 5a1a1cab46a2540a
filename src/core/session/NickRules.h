#pragma once

#include <string>

// What registration does to the nick of the settings: it sends it cleaned
// (CleanNick). A nick the user types in a dialog is checked by CheckNick
// (config/ValueChecks.h), so that it reaches the server unchanged.

// The nick without blanks and quotes, as registration sends it.
std::string CleanNick(const std::string &nick);
