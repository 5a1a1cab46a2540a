#include "dcc/TransferEnd.h"

#include <cerrno>

#include "platform/AsyncSocket.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

std::string TransferEnd::ReasonText() const
{
    if (state != State::Failed)
        return {};
    switch (reason) {
    case Reason::Refused:
        return Strings::Get(Str::DccReasonRefused);
    case Reason::TimedOut:
        return Strings::Get(Str::DccReasonTimedOut);
    case Reason::PeerClosed: {
        const int percent = size == 0 ? 0 : static_cast<int>(done * 100 / size);
        return Strings::Format(Str::DccReasonPeerClosed, percent, FormatSize(done).c_str(), FormatSize(size).c_str());
    }
    case Reason::DiskFull:
        return Strings::Get(Str::DccReasonDiskFull);
    case Reason::FolderNotWritable:
        return Strings::Get(Str::DccReasonFolderNotWritable);
    case Reason::FileVanished:
        return Strings::Get(Str::DccReasonFileVanished);
    case Reason::Cancelled:
        return Strings::Get(Str::DccReasonCancelled);
    case Reason::OtherError:
    case Reason::None:
        break;
    }
    // The system's reason in words, with its number only beside them.
    return AsyncSocket::ErrorText(errorCode);
}

TransferEnd::Reason TransferEnd::ReasonOfSocketError(int code)
{
    if (code == AsyncSocket::RefusedCode())
        return Reason::Refused;
    if (code == ETIMEDOUT)
        return Reason::TimedOut;
    // A reset or a broken pipe is the peer going away as much as an orderly close.
    if (code == 0 || code == ECONNRESET || code == EPIPE || code == AsyncSocket::NotConnectedCode())
        return Reason::PeerClosed;
    return Reason::OtherError;
}

TransferEnd::Reason TransferEnd::ReasonOfFileError(int code, bool opening)
{
    if (code == ENOSPC || code == EDQUOT || code == EFBIG)
        return Reason::DiskFull;
    return opening ? Reason::FolderNotWritable : Reason::OtherError;
}
