#pragma once

#include <string>

// What a nick may hold. Registration sends the nick of the settings cleaned
// (CleanNick); a nick the user types in a dialog is refused unless it would
// reach the server unchanged and the server would take it (IsUsableNick).

// The nick without blanks and quotes, as registration sends it.
std::string CleanNick(const std::string &nick);

// Not empty, unchanged by CleanNick, starting with a letter or one of
// "[]\`_^{|}", then letters, digits and those signs or "-".
// "Jano_" and "[bot]" pass; "Ja no", "9lives", "-x" and "Ján" do not.
bool IsUsableNick(const std::string &nick);
