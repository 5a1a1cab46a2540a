#include "MeasuredChild.h"

#include <QCoreApplication>
#include <QProcess>

int RunMeasuredChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    return child.exitCode();
}
