#pragma once

// The socket error numbers of the system that AsyncSocket reports, and the
// last one the system set.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <cerrno>
#endif

namespace SocketCode {
#ifdef _WIN32
constexpr int Refused = WSAECONNREFUSED;
constexpr int TimedOut = WSAETIMEDOUT;
constexpr int HostNotFound = WSAHOST_NOT_FOUND;
constexpr int NetUnreachable = WSAENETUNREACH;
constexpr int Access = WSAEACCES;
constexpr int NoBuffers = WSAENOBUFS;
constexpr int AddressInUse = WSAEADDRINUSE;
constexpr int AddressNotAvailable = WSAEADDRNOTAVAIL;
constexpr int NotSupported = WSAEOPNOTSUPP;
constexpr int MessageSize = WSAEMSGSIZE;
constexpr int Invalid = WSAEINVAL;
constexpr int WouldBlock = WSAEWOULDBLOCK;
constexpr int NotConnected = WSAENOTCONN;
constexpr int ConnectionReset = WSAECONNRESET;
constexpr int Shutdown = WSAESHUTDOWN;
constexpr int ConnectionAborted = WSAECONNABORTED;
inline int LastNativeError()
{
    return WSAGetLastError();
}
#else
constexpr int Refused = ECONNREFUSED;
constexpr int TimedOut = ETIMEDOUT;
// Unix has no errno for a failed name lookup; an unreachable host is the
// nearest meaning.
constexpr int HostNotFound = EHOSTUNREACH;
constexpr int NetUnreachable = ENETUNREACH;
constexpr int Access = EACCES;
constexpr int NoBuffers = ENOBUFS;
constexpr int AddressInUse = EADDRINUSE;
constexpr int AddressNotAvailable = EADDRNOTAVAIL;
constexpr int NotSupported = EOPNOTSUPP;
constexpr int MessageSize = EMSGSIZE;
constexpr int Invalid = EINVAL;
constexpr int WouldBlock = EWOULDBLOCK;
constexpr int NotConnected = ENOTCONN;
constexpr int ConnectionReset = ECONNRESET;
constexpr int Shutdown = ESHUTDOWN;
constexpr int ConnectionAborted = ECONNABORTED;
inline int LastNativeError()
{
    return errno;
}
#endif
} // namespace SocketCode
