#pragma once

#include "text/Strings.h"

#include <optional>
#include <string>

// The rules for the values a user types into the dialogs (the welcome
// dialog, the settings sheet, the server, channel and contact dialogs), one
// per value. Each check answers with the reason a value is refused, a text of
// the string table to show the user, or nothing when the value is fine.
using Refusal = std::optional<StrText>;

// Not empty, starting with a letter or one of "[]\`_^{|}", then letters,
// digits, those signs or "-": what a server takes and registration sends
// unchanged. "Jano_" and "[bot]" pass; "Ja no", "9lives", "-x" and "Ján" do not.
Refusal CheckNick(const std::string &nick);

// A host name or address: not empty; letters, digits, ".", "-", ":" and
// "_" only. "irc.libera.chat", "127.0.0.1" and "::1" pass; "irc=x", "[irc]"
// and "a b" do not.
Refusal CheckHost(const std::string &host);

// A port as users write it: digits, "+" before them for a secure
// connection, 1 to 65535. "6667" and "+6697" pass; "66x7", "+" and "0" do not.
Refusal CheckPort(const std::string &text);

// An e-mail (the user name the server is told): may be empty, no blank or
// control character.
Refusal CheckEmail(const std::string &email);

// A favourite server's name: a key of the file and part of a section name.
Refusal CheckServerName(const std::string &name);

// A favourite channel's name: a key and the first word of its record.
Refusal CheckChannelName(const std::string &name);
