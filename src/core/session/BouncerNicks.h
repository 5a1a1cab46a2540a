#pragma once

#include <string>
#include <string_view>
#include <vector>

// The bouncer's own voice: a bouncer speaks as "*status", and each of its
// modules as "*module" ("*controlpanel", "*nickserv"); a nick of the network
// never begins with "*".
bool IsBouncerNick(std::string_view nick);

// The command words a bouncer's "*status" understands ("help" first), for Tab
// completion in its window, in the order they are offered.
const std::vector<std::string> &BouncerCommandWords();
