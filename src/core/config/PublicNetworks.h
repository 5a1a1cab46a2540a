#pragma once

#include "config/ServerPort.h"

#include <QByteArray>

#include <string>
#include <vector>

// A well-known public IRC network the welcome dialog offers: the name it is
// stored under in "Servers", the host and the port ("+6697" over TLS).
struct PublicNetwork
{
    std::string name;
    std::string host;
    ServerPort port;
};

// The networks shipped with the program (resource ":/networks/networks.json",
// a JSON array of {"name", "host", "port"} objects), in file order.
std::vector<PublicNetwork> LoadPublicNetworks();

// The networks of such a JSON text. An entry without a name or host, with a
// blank in either, or with a port out of range is left out; text that is not
// a JSON array gives none.
std::vector<PublicNetwork> ParsePublicNetworks(const QByteArray &json);
