#include "dcc/OfferAddress.h"

#include <QHostAddress>

#include "session/AddressScope.h"
#include "session/DccOffer.h"

namespace {

bool IsIpv6(const std::string &address)
{
    return address.find(':') != std::string::npos;
}

bool IsAddress(const std::string &text)
{
    QHostAddress address;
    return !text.empty() && address.setAddress(QString::fromStdString(text));
}

} // namespace

OfferAddress OfferAddress::Choose(const std::string &setting, const std::string &learned, const std::string &local)
{
    if (IsAddress(setting))
        return {setting, false};
    if (!IsAddress(learned) || IsIpv6(learned) != IsIpv6(local))
        return {local, false};
    const bool behindNat =
        AddressScope::Of(learned) == AddressScope::Public && AddressScope::Of(local) != AddressScope::Public;
    return {learned, behindNat};
}

bool OfferAddress::IsValidSetting(const std::string &text)
{
    return text.empty() || IsAddress(text);
}

std::string OfferAddress::OfferWord(const std::string &address)
{
    if (const uint32_t number = DccOffer::AddressNumber(address))
        return std::to_string(number);
    QHostAddress parsed;
    if (!parsed.setAddress(QString::fromStdString(address)) || parsed.protocol() != QAbstractSocket::IPv6Protocol)
        return {};
    return parsed.toString().toStdString();
}
