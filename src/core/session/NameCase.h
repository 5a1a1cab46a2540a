#pragma once

#include <string>

// Names of sessions, windows, nicks and channels compare without regard to
// case; these fold case the Unicode way, so "Ľubo" and "ľubo" are one name.
std::string LowerName(const std::string &name);
bool EqualNoCase(const std::string &a, const std::string &b);
