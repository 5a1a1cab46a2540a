// AsyncSocket: the error numbers it reports and their texts for the user.
#include "platform/AsyncSocket.h"

#include <QAbstractSocket>

#include <system_error>

#include "platform/SocketCode.h"
#include "text/Strings.h"

namespace {

// The reasons a user meets, in the program's language; others come in the
// system's words.
struct ErrorReason
{
    int code;
    StrText text;
};
const ErrorReason kErrorReasons[] = {
    {0, Str::ServerClosedConnection},
    {SocketCode::Refused, Str::ConnectionRefused},
    {SocketCode::TimedOut, Str::ConnectTimedOut},
    {SocketCode::HostNotFound, Str::HostNotFound},
    {SocketCode::NetUnreachable, Str::NetworkUnreachable},
    {SocketCode::Access, Str::AccessDenied},
    {SocketCode::AddressInUse, Str::AddressInUse},
    {SocketCode::AddressNotAvailable, Str::AddressNotAvailable},
    {SocketCode::ConnectionReset, Str::ConnectionReset},
    {SocketCode::ConnectionAborted, Str::ConnectionAborted},
};

} // namespace

int AsyncSocket::RefusedCode()
{
    return SocketCode::Refused;
}

int AsyncSocket::WouldBlockCode()
{
    return SocketCode::WouldBlock;
}

int AsyncSocket::NotConnectedCode()
{
    return SocketCode::NotConnected;
}

std::string AsyncSocket::ErrorText(int code)
{
    std::string reason;
    for (const ErrorReason &known : kErrorReasons) {
        if (known.code == code)
            reason = Strings::Get(known.text);
    }
    if (reason.empty())
        reason = std::system_category().message(code);
    return reason + " (" + std::to_string(code) + ")";
}

int AsyncSocket::ErrorCode(int qtSocketError)
{
    switch (static_cast<QAbstractSocket::SocketError>(qtSocketError)) {
    case QAbstractSocket::ConnectionRefusedError:
        return SocketCode::Refused;
    case QAbstractSocket::RemoteHostClosedError:
        return 0;
    case QAbstractSocket::HostNotFoundError:
        return SocketCode::HostNotFound;
    case QAbstractSocket::SocketAccessError:
        return SocketCode::Access;
    case QAbstractSocket::SocketResourceError:
        return SocketCode::NoBuffers;
    case QAbstractSocket::SocketTimeoutError:
        return SocketCode::TimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return SocketCode::MessageSize;
    case QAbstractSocket::NetworkError:
        return SocketCode::NetUnreachable;
    case QAbstractSocket::AddressInUseError:
        return SocketCode::AddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return SocketCode::AddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return SocketCode::NotSupported;
    case QAbstractSocket::OperationError:
        return SocketCode::Invalid;
    case QAbstractSocket::TemporaryError:
        return SocketCode::WouldBlock;
    case QAbstractSocket::ProxyConnectionRefusedError:
        return SocketCode::Refused;
    case QAbstractSocket::ProxyConnectionClosedError:
        return SocketCode::ConnectionReset;
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return SocketCode::TimedOut;
    case QAbstractSocket::ProxyNotFoundError:
        return SocketCode::HostNotFound;
    default:
        return SocketCode::ConnectionAborted;
    }
}
