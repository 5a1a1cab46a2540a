// TerminationSignals: the signals that ask the program to end, on the event loop.
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a kill, Ctrl+C in the terminal, the terminal
// closing) reported as the Qt signal received on the thread's event loop, so
// that the program can end as its Exit command does. The handler itself only
// writes the signal's number to one end of a socket pair, the one thing a
// signal handler may safely do; a notifier on the other end reads it. One
// instance at a time; its destruction restores the handlers found before.
// Elsewhere than on Unix nothing is installed.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Takes the three signals; false when the socket pair or a handler
    // cannot be set up (or another instance has them).
    bool Install();

signals:
    void received(int signalNumber);

private:
    void Read();
    void Uninstall();

    int m_sockets[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};
