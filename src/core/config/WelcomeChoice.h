#pragma once

#include "config/FavouriteServers.h"
#include "config/ServerPort.h"

#include <string>

// What the welcome dialog asks of a newcomer: who they are and where to
// connect. serverName is the key of the favourite server it becomes (the
// network's name, or the host of a server typed in).
struct WelcomeChoice
{
    std::string nick;
    std::string fullName;
    std::string serverName;
    std::string host;
    ServerPort port;
};

// Whether the server of the choice can be stored as a favourite: the checks
// of the settings sheet's server entries (a name the file can hold, a host
// without blanks, a port 1..65535).
ServerEntryCheck CheckWelcomeServer(const WelcomeChoice &choice);

// Stores the choice in brimo.conf as the settings sheet would: the server as
// a favourite connected at start-up (an entry of that name keeps its password
// and gets the new address), made the "Default Server", and nick and full
// name in "Base" (in the entry's own identity too, when it has one). False
// when the server entry cannot be stored (nothing is written then) or the
// file cannot be written.
bool SaveWelcomeChoice(const WelcomeChoice &choice);

// Whether brimo.conf can be read and holds no favourite server: the program
// then starts with the welcome dialog.
bool HasNoFavouriteServer();
