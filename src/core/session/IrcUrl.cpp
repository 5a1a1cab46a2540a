#include "session/IrcUrl.h"

#include <QUrl>

namespace {

bool IsChannelSign(char c)
{
    return c == '#' || c == '&' || c == '+' || c == '!';
}

// No byte that would end or split a command word, nor a control character.
bool IsSafeWord(const std::string &text)
{
    for (unsigned char c : text) {
        if (c <= ' ' || c == ',' || c == 0x7F)
            return false;
    }
    return true;
}

// The channel of the path, or of the fragment when the path is empty: the
// desktop leaves "#" unescaped in irc://host/#channel.
std::string ChannelOf(const QUrl &url)
{
    QString target = url.path(QUrl::FullyEncoded);
    if (target.startsWith(QLatin1Char('/')))
        target.remove(0, 1);
    if (target.isEmpty() && url.hasFragment())
        target = QStringLiteral("%23") + url.fragment(QUrl::FullyEncoded);
    // Flags after the name (",needkey", ",isnick") say nothing the join needs;
    // an escaped comma is part of the name (and refused below).
    target = target.section(QLatin1Char(','), 0, 0);
    std::string channel = QUrl::fromPercentEncoding(target.toUtf8()).toStdString();
    if (!channel.empty() && !IsChannelSign(channel.front()))
        channel.insert(channel.begin(), '#');
    return channel.size() > 1 ? channel : std::string();
}

} // namespace

std::optional<IrcUrl> IrcUrl::Parse(const std::string &text)
{
    const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    IrcUrl result;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("ircs"))
        result.tls = true;
    else if (scheme != QLatin1String("irc"))
        return std::nullopt;
    result.host = url.host(QUrl::FullyDecoded).toStdString();
    const int port = url.port(int(result.tls ? ServerPort::kDefaultTlsPort : ServerPort::kDefaultPort));
    if (result.host.empty() || !IsSafeWord(result.host) || port < 1 || port > 65535)
        return std::nullopt;
    result.port = unsigned(port);
    result.channel = ChannelOf(url);
    result.key = url.query(QUrl::FullyDecoded).toStdString();
    if (!IsSafeWord(result.channel) || !IsSafeWord(result.key))
        return std::nullopt;
    return result;
}
