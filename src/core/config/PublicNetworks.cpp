#include "config/PublicNetworks.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

static void InitNetworksResource()
{
    // The resource lives in a static library: without this call the linker may
    // drop its registration.
    Q_INIT_RESOURCE(core_networks);
}

namespace {

bool IsOneWord(const std::string &text)
{
    return !text.empty() && text.find_first_of(" \t\r\n") == std::string::npos;
}

} // namespace

std::vector<PublicNetwork> ParsePublicNetworks(const QByteArray &json)
{
    std::vector<PublicNetwork> networks;
    const QJsonDocument document = QJsonDocument::fromJson(json);
    for (const QJsonValue &value : document.array()) {
        const QJsonObject entry = value.toObject();
        PublicNetwork network{entry.value(QStringLiteral("name")).toString().toStdString(),
                              entry.value(QStringLiteral("host")).toString().toStdString(),
                              ServerPort::Parse(entry.value(QStringLiteral("port")).toString().toStdString())};
        if (IsOneWord(network.name) && IsOneWord(network.host) && network.port.IsValid())
            networks.push_back(std::move(network));
    }
    return networks;
}

std::vector<PublicNetwork> LoadPublicNetworks()
{
    InitNetworksResource();
    QFile file(QStringLiteral(":/networks/networks.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParsePublicNetworks(file.readAll());
}
