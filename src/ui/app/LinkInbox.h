#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// irc:// links clicked while Brimo already runs reach the running program
// instead of starting a second one: the new process hands its links over a
// local socket (its owner's only) and ends; the running one opens them.
class LinkInbox : public QObject
{
    Q_OBJECT

public:
    // The socket in the user's runtime folder.
    static QString DefaultName();

    explicit LinkInbox(QString name = DefaultName(), QObject *parent = nullptr);
    ~LinkInbox() override;

    // Hands the links to a running program; false when none listens.
    bool Forward(const QStringList &links) const;
    // Takes links from later starts, one call of open per link.
    bool Listen(std::function<void(const QString &)> open);

    // The arguments that are links ("scheme://...").
    static QStringList LinksAmong(const QStringList &arguments);

private:
    void Accept();

    QString m_name;
    QLocalServer *m_server = nullptr;
    std::function<void(const QString &)> m_open;
};
