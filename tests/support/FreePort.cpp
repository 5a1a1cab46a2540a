#include "FreePort.h"

#include <QHostAddress>
#include <QTcpServer>

uint16_t FreeLocalPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const uint16_t port = probe.serverPort();
    probe.close();
    return port;
}
