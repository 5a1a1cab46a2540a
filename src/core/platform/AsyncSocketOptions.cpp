// AsyncSocket: the system's socket options of the connection or listener.
#include "platform/AsyncSocket.h"

#include <QTcpServer>
#include <QTcpSocket>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

#include "platform/SocketCode.h"

namespace {

#ifdef _WIN32
using OptionValue = char;
#else
using OptionValue = void;
#endif

bool NativeLevelAndName(AsyncSocket::Option option, int &level, int &name)
{
    level = SOL_SOCKET;
    switch (option) {
    case AsyncSocket::KeepAlive:
        name = SO_KEEPALIVE;
        return true;
    case AsyncSocket::DontRoute:
        name = SO_DONTROUTE;
        return true;
    case AsyncSocket::OobInline:
        name = SO_OOBINLINE;
        return true;
    case AsyncSocket::ReceiveBufferSize:
        name = SO_RCVBUF;
        return true;
    case AsyncSocket::SendBufferSize:
        name = SO_SNDBUF;
        return true;
    case AsyncSocket::NoDelay:
        level = IPPROTO_TCP;
        name = TCP_NODELAY;
        return true;
    }
    return false;
}

} // namespace

qintptr AsyncSocket::NativeDescriptor() const
{
    if (m_socket)
        return m_socket->socketDescriptor();
    if (m_server)
        return m_server->socketDescriptor();
    return -1;
}

bool AsyncSocket::SetOption(Option option, int value)
{
    int level = 0;
    int name = 0;
    const qintptr descriptor = NativeDescriptor();
    if (descriptor == -1 || !NativeLevelAndName(option, level, name)) {
        m_lastError = SocketCode::NotConnected;
        return false;
    }
#ifdef _WIN32
    const int result = ::setsockopt(static_cast<SOCKET>(descriptor), level, name,
                                    reinterpret_cast<const char *>(&value), sizeof value);
#else
    const int result = ::setsockopt(static_cast<int>(descriptor), level, name, &value, sizeof value);
#endif
    if (result != 0) {
        m_lastError = SocketCode::LastNativeError();
        return false;
    }
    return true;
}

int AsyncSocket::GetOption(Option option) const
{
    int level = 0;
    int name = 0;
    const qintptr descriptor = NativeDescriptor();
    if (descriptor == -1 || !NativeLevelAndName(option, level, name))
        return -1;
    int value = 0;
#ifdef _WIN32
    int size = sizeof value;
    const int result =
        ::getsockopt(static_cast<SOCKET>(descriptor), level, name, reinterpret_cast<char *>(&value), &size);
#else
    socklen_t size = sizeof value;
    const int result =
        ::getsockopt(static_cast<int>(descriptor), level, name, static_cast<OptionValue *>(&value), &size);
#endif
    return result == 0 ? value : -1;
}
