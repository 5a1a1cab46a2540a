#include "session/AddressScope.h"

#include <QHostAddress>

#include <utility>

namespace {

struct Range
{
    const char *network;
    AddressScope::Kind kind;
};

// The special ranges, most specific first where they nest.
const Range kRanges[] = {
    {"0.0.0.0/8", AddressScope::Reserved},
    {"10.0.0.0/8", AddressScope::Private},
    {"100.64.0.0/10", AddressScope::Private}, // shared by carriers behind their NAT
    {"127.0.0.0/8", AddressScope::Loopback},
    {"169.254.0.0/16", AddressScope::LinkLocal},
    {"172.16.0.0/12", AddressScope::Private},
    {"192.0.0.0/24", AddressScope::Reserved},
    {"192.0.2.0/24", AddressScope::Reserved},
    {"192.168.0.0/16", AddressScope::Private},
    {"198.18.0.0/15", AddressScope::Reserved},
    {"198.51.100.0/24", AddressScope::Reserved},
    {"203.0.113.0/24", AddressScope::Reserved},
    {"224.0.0.0/4", AddressScope::Multicast},
    {"255.255.255.255/32", AddressScope::Broadcast},
    {"240.0.0.0/4", AddressScope::Reserved},
    {"::/128", AddressScope::Reserved},
    {"::1/128", AddressScope::Loopback},
    {"100::/64", AddressScope::Reserved},
    {"2001:db8::/32", AddressScope::Reserved},
    {"fc00::/7", AddressScope::Private},
    {"fec0::/10", AddressScope::Private}, // the old site-local range
    {"fe80::/10", AddressScope::LinkLocal},
    {"ff00::/8", AddressScope::Multicast},
};

bool InRange(const QHostAddress &address, const char *network)
{
    const std::pair<QHostAddress, int> subnet = QHostAddress::parseSubnet(QString::fromLatin1(network));
    return address.protocol() == subnet.first.protocol() && address.isInSubnet(subnet);
}

} // namespace

AddressScope::Kind AddressScope::Of(const std::string &text)
{
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(text)))
        return Reserved;
    bool mapped = false;
    const quint32 ipv4 = address.toIPv4Address(&mapped);
    if (mapped)
        address = QHostAddress(ipv4);
    for (const Range &range : kRanges) {
        if (InRange(address, range.network))
            return range.kind;
    }
    // Of IPv6 only 2000::/3 is handed out for the public network.
    if (address.protocol() == QAbstractSocket::IPv6Protocol && !InRange(address, "2000::/3"))
        return Reserved;
    return Public;
}

StrText AddressScope::Name(Kind kind)
{
    switch (kind) {
    case Loopback:
        return Str::AddressLoopback;
    case Private:
        return Str::AddressPrivate;
    case LinkLocal:
        return Str::AddressLinkLocal;
    case Multicast:
        return Str::AddressMulticast;
    case Broadcast:
        return Str::AddressBroadcast;
    case Reserved:
        return Str::AddressReserved;
    case Public:
        break;
    }
    return StrText{};
}

bool AddressScope::NeedsWarning(const std::string &target, const std::string &server)
{
    return Of(server) == Public && Of(target) != Public;
}

std::string AddressScope::WithPort(const std::string &address, unsigned port)
{
    const std::string number = std::to_string(port);
    if (address.find(':') != std::string::npos)
        return "[" + address + "]:" + number;
    return address + ":" + number;
}
