#pragma once

#include <string>

class Session;

// The away switch of the window and main menus: a non-empty text marks the
// user away with it ("/away text"), an empty one marks the user back
// ("/away"). The text is kept as the session's away message. Returns the
// away message the session had before.
std::string SetAway(Session &session, const std::string &text);
