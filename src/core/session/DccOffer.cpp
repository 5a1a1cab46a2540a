#include "session/DccOffer.h"

#include <QHostAddress>
#include <QString>

#include <algorithm>
#include <cstdlib>

#include "text/Words.h"

namespace {

// The words of the body with a quoted third word kept whole.
struct OfferWords
{
    std::string kind, name, address, port, size, token;
};

OfferWords SplitOffer(const std::string &body)
{
    OfferWords words;
    words.kind = GetWord(body, 2);
    std::string rest = GetRest(body, 3);
    if (!rest.empty() && rest[0] == '"') {
        const size_t close = rest.find('"', 1);
        if (close == std::string::npos)
            return words; // an unterminated name: nothing usable
        words.name = rest.substr(1, close - 1);
        rest = rest.substr(std::min(rest.size(), rest.find_first_not_of(' ', close + 1)));
    } else {
        words.name = GetWord(rest, 1);
        rest = GetRest(rest, 2);
    }
    words.address = GetWord(rest, 1);
    words.port = GetWord(rest, 2);
    words.size = GetWord(rest, 3);
    words.token = GetWord(rest, 4);
    return words;
}

bool IsKind(const std::string &word, const char *kind)
{
    return QString::fromStdString(word).compare(QLatin1String(kind), Qt::CaseInsensitive) == 0;
}

} // namespace

bool DccOffer::IsDecimal(const std::string &word, size_t maxDigits)
{
    if (word.empty() || word.size() > maxDigits)
        return false;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool DccOffer::IsToken(const std::string &word)
{
    // Clients use a number; letters are allowed, nothing that could break a line or a command.
    return !word.empty() && word.size() <= 32
        && std::all_of(word.begin(), word.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

uint16_t DccOffer::PortFromWord(const std::string &word)
{
    if (!IsDecimal(word, 5))
        return 0;
    const int port = std::atoi(word.c_str());
    return port >= 1 && port <= 65535 ? static_cast<uint16_t>(port) : 0;
}

std::string DccOffer::SafeFileName(const std::string &offered)
{
    const size_t slash = offered.find_last_of("/\\");
    std::string name = slash == std::string::npos ? offered : offered.substr(slash + 1);
    for (char &c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == ':')
            return {};
        if (c == ' ')
            c = '_';
    }
    // A leading dot would hide the file or make it a configuration file of
    // the user's shell (".bashrc").
    const size_t first = name.find_first_not_of('.');
    return first == std::string::npos ? std::string() : name.substr(first);
}

std::string DccOffer::AddressFromOffer(const std::string &word)
{
    if (word.find(':') != std::string::npos) {
        QHostAddress address;
        if (!address.setAddress(QString::fromStdString(word)) || address.protocol() != QAbstractSocket::IPv6Protocol
            || address.isNull() || address == QHostAddress(QHostAddress::AnyIPv6))
            return {};
        return address.toString().toStdString();
    }
    if (IsDecimal(word, 10)) {
        const unsigned long long number = std::strtoull(word.c_str(), nullptr, 10);
        if (number == 0 || number > 0xFFFFFFFFull)
            return {};
        return QHostAddress(static_cast<quint32>(number)).toString().toStdString();
    }
    QHostAddress address;
    if (word.find('.') == std::string::npos || !address.setAddress(QString::fromStdString(word))
        || address.protocol() != QAbstractSocket::IPv4Protocol || address.toIPv4Address() == 0)
        return {};
    return address.toString().toStdString();
}

uint32_t DccOffer::AddressNumber(const std::string &dotted)
{
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(dotted)))
        return 0;
    bool isIPv4 = false;
    const quint32 number = address.toIPv4Address(&isIPv4);
    return isIPv4 ? number : 0;
}

std::optional<DccOffer> DccOffer::ParseResume(Kind kind, const std::string &name, const std::string &port,
                                              const std::string &position)
{
    DccOffer offer;
    offer.kind = kind;
    // Clients name the file as they please here ("file.ext" is common): it
    // only has to be safe to send back.
    offer.fileName = SafeFileName(name);
    offer.port = PortFromWord(port);
    if (offer.fileName.empty() || offer.port == 0 || !IsDecimal(position, 19))
        return std::nullopt;
    offer.size = std::strtoull(position.c_str(), nullptr, 10);
    return offer;
}

std::optional<DccOffer> DccOffer::Parse(const std::string &body)
{
    const OfferWords words = SplitOffer(body);
    DccOffer offer;
    if (IsKind(words.kind, "CHAT"))
        offer.kind = Chat;
    else if (IsKind(words.kind, "SEND"))
        offer.kind = File;
    else if (IsKind(words.kind, "RESUME") || IsKind(words.kind, "ACCEPT"))
        return ParseResume(IsKind(words.kind, "RESUME") ? Resume : Accept, words.name, words.address, words.port);
    else
        return std::nullopt;
    offer.address = AddressFromOffer(words.address);
    offer.port = PortFromWord(words.port);
    // A chat's token follows its port; a file's follows its size.
    offer.token = offer.kind == Chat ? words.size : words.token;
    const bool passive = words.port == "0";
    if (offer.address.empty() || (offer.port == 0 && !passive) || (passive && !IsToken(offer.token)))
        return std::nullopt;
    if (!offer.token.empty() && !IsToken(offer.token))
        offer.token.clear();
    if (offer.kind == File) {
        offer.fileName = SafeFileName(words.name);
        if (offer.fileName.empty() || !IsDecimal(words.size, 18))
            return std::nullopt;
        offer.size = std::strtoull(words.size.c_str(), nullptr, 10);
    }
    return offer;
}
