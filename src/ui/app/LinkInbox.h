#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

// One program per settings: a later start on the same brimo.conf hands its
// links (or none) to the running program over a local socket (its owner's
// only) and ends; the running one opens them and comes forward. Which start
// runs is decided by a lock beside the socket: only its holder listens, so
// the socket of a running program is never taken away by a later start.
class LinkInbox : public QObject
{
    Q_OBJECT

public:
    // How long a later start waits for the running program to take its
    // arguments: the running one may still be starting, or busy.
    static constexpr int kAnswerMs = 15000;

    // The socket of the program that keeps its settings in configFolder, in
    // the user's runtime folder.
    static QString NameFor(const QString &configFolder);

    explicit LinkInbox(QString name, QObject *parent = nullptr);
    ~LinkInbox() override;

    // Whether this process is the one to run: it holds the lock from now on
    // (a lock left by a program that died is taken over) and no program
    // answers on the socket. False when another program runs on these settings.
    bool Claim();
    // Hands the arguments of a later start (links, maybe none) to the
    // running program; false when none took them within kAnswerMs.
    bool Forward(const QStringList &links, int answerMs = kAnswerMs) const;
    // Takes later starts, one call of open per start with its links; only
    // after a successful Claim.
    bool Listen(std::function<void(const QStringList &)> open);

    // The arguments that are links ("scheme://...").
    static QStringList LinksAmong(const QStringList &arguments);

private:
    void Accept();
    bool SomeoneAnswers() const;

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    std::function<void(const QStringList &)> m_open;
};
