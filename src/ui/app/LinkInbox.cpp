#include "app/LinkInbox.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <utility>

namespace {

constexpr int kConnectMs = 1000;
constexpr int kRetryMs = 100;
// A link is a line; a peer sending more than this is not one of ours.
constexpr qint64 kMaxBytes = 64 * 1024;

} // namespace

QString LinkInbox::NameFor(const QString &configFolder)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    // A socket's path is short: the settings folder is known by a digest.
    const QFileInfo settings(configFolder);
    const QString path =
        settings.exists() ? settings.canonicalFilePath() : QDir::cleanPath(settings.absoluteFilePath());
    const QByteArray digest = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("brimo-") + QString::fromLatin1(digest));
}

LinkInbox::LinkInbox(QString name, QObject *parent) : QObject(parent), m_name(std::move(name)) {}

LinkInbox::~LinkInbox()
{
    // The socket goes before the lock: the next program to take the lock
    // finds no socket of ours.
    delete m_server;
    m_server = nullptr;
}

bool LinkInbox::Claim()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_name + QStringLiteral(".lock"));
    // Only a lock whose program has ended is taken over, however old it is.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0))
        return false;
    // A lock the lock file's rules took for stale, while its program still
    // answers (its executable replaced by an update, say), is not ours.
    if (SomeoneAnswers()) {
        m_lock->unlock();
        return false;
    }
    return true;
}

bool LinkInbox::SomeoneAnswers() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    return socket.waitForConnected(kConnectMs);
}

bool LinkInbox::Forward(const QStringList &links, int answerMs) const
{
    // A program that has just claimed the lock may not listen yet.
    const QDeadlineTimer deadline(answerMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_name);
        if (socket.waitForConnected(kConnectMs))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryMs);
    }
    // One line per link; an empty line ends the start's arguments.
    QByteArray message;
    for (const QString &link : links)
        message += link.toUtf8() + '\n';
    message += '\n';
    socket.write(message);
    const bool sent = socket.waitForBytesWritten(kConnectMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectMs);
    return sent;
}

bool LinkInbox::Listen(std::function<void(const QStringList &)> open)
{
    if (!m_lock || !m_lock->isLocked())
        return false;
    m_open = std::move(open);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock with nobody answering, a socket still there was left
    // by a program that died.
    QLocalServer::removeServer(m_name);
    connect(m_server, &QLocalServer::newConnection, this, &LinkInbox::Accept);
    return m_server->listen(m_name);
}

void LinkInbox::Accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto links = std::make_shared<QStringList>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, links] {
            while (socket->canReadLine()) {
                const QString line = QString::fromUtf8(socket->readLine()).trimmed();
                if (!line.isEmpty()) {
                    links->append(line);
                    continue;
                }
                const QStringList start = std::exchange(*links, {});
                if (m_open)
                    m_open(start);
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
