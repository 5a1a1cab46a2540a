#include "ServerProcess.h"

#include "WaitFor.h"

#include <QProcess>
#include <QTcpSocket>

namespace {

constexpr int kStopTimeoutMs = 10000;

bool IsRunning(const QProcess *process)
{
    return process && process->state() != QProcess::NotRunning;
}

} // namespace

bool StartListening(QProcess *&process, const QString &program, const QStringList &arguments, uint16_t port,
                    int timeoutMs)
{
    process = new QProcess();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, arguments);
    QTcpSocket probe;
    const bool ready = WaitFor(
        [&] {
            if (!IsRunning(process) || probe.state() == QAbstractSocket::ConnectedState)
                return true;
            if (probe.state() == QAbstractSocket::UnconnectedState)
                probe.connectToHost(QStringLiteral("127.0.0.1"), port);
            return false;
        },
        timeoutMs);
    const bool accepted = ready && IsRunning(process) && probe.state() == QAbstractSocket::ConnectedState;
    probe.abort();
    return accepted;
}

void StopProcess(QProcess *&process, std::string &output)
{
    if (!process)
        return;
    if (IsRunning(process)) {
        process->terminate();
        if (!WaitFor([&] { return !IsRunning(process); }, kStopTimeoutMs)) {
            process->kill();
            process->waitForFinished(kStopTimeoutMs);
        }
    }
    output += process->readAll().toStdString();
    delete process;
    process = nullptr;
}
