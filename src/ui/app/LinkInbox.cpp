#include "app/LinkInbox.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kConnectMs = 1000;
// A link is a line; a peer sending more than this is not one of ours.
constexpr qint64 kMaxBytes = 64 * 1024;

} // namespace

QString LinkInbox::DefaultName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("brimo-links"));
}

LinkInbox::LinkInbox(QString name, QObject *parent) : QObject(parent), m_name(std::move(name)) {}

LinkInbox::~LinkInbox() = default;

bool LinkInbox::Forward(const QStringList &links) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write((links.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    const bool sent = socket.waitForBytesWritten(kConnectMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectMs);
    return sent;
}

bool LinkInbox::Listen(std::function<void(const QString &)> open)
{
    m_open = std::move(open);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a program that crashed would refuse the name.
    QLocalServer::removeServer(m_name);
    connect(m_server, &QLocalServer::newConnection, this, &LinkInbox::Accept);
    return m_server->listen(m_name);
}

void LinkInbox::Accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString link = QString::fromUtf8(socket->readLine()).trimmed();
                if (!link.isEmpty() && m_open)
                    m_open(link);
            }
            if (socket->bytesAvailable() > kMaxBytes)
                socket->abort();
        });
    }
}

QStringList LinkInbox::LinksAmong(const QStringList &arguments)
{
    QStringList links;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i).contains(QLatin1String("://")))
            links.append(arguments.at(i));
    }
    return links;
}
