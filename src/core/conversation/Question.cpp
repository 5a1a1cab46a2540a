#include "conversation/Question.h"

#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

Question Question::ForRequest(Kind kind, const std::string &prefix, const std::string &sessionKey,
                              const std::string &fileName, int64_t fileSize)
{
    Question q;
    q.kind = kind;
    q.prefix = prefix;
    q.sessionKey = sessionKey;
    q.fileName = fileName;
    q.fileSize = fileSize;
    return q;
}

Question Question::ForCertificate(const std::string &server, const std::string &sessionKey,
                                  const std::string &fingerprint, const std::string &reasons)
{
    Question q = ForRequest(Certificate, server, sessionKey);
    q.fingerprint = fingerprint;
    q.reasons = reasons;
    return q;
}

std::string Question::Nick() const
{
    return NickFromPrefix(prefix);
}

std::string Question::Address() const
{
    // The user's address as the server gave it: everything after the nick.
    const size_t bang = prefix.find('!');
    if (bang != std::string::npos)
        return prefix.substr(bang + 1);
    return HostFromPrefix(prefix);
}

std::string Question::Caption() const
{
    if (kind == Certificate)
        return Strings::Format(Str::CertificateCaption, prefix.c_str());
    return Strings::Format(kind == PrivateChat ? Str::PrivateChatRequestCaption : Str::DccChatRequestCaption,
                           Nick().c_str());
}

std::string Question::Text() const
{
    const std::string nick = Nick();
    const std::string address = Address();
    switch (kind) {
    case PrivateChat:
        return Strings::Format(Str::PrivateChatRequest, nick.c_str(), address.c_str());
    case DccChat:
    case DccFile:
        return DccText();
    case Certificate:
        return Strings::Format(Str::CertificateQuestion, prefix.c_str(), reasons.c_str(), fingerprint.c_str());
    default:
        return {};
    }
}

Question Question::WithTarget(const std::string &where, const std::string &kind) const
{
    Question q = *this;
    q.target = where;
    q.targetKind = kind;
    return q;
}

std::string Question::DccText() const
{
    const std::string nick = Nick();
    const std::string address = Address();
    const std::string size = FormatSize(fileSize < 0 ? 0 : static_cast<uint64_t>(fileSize));
    std::string text;
    if (target.empty())
        text = kind == DccChat ? Strings::Format(Str::DccChatRequest, nick.c_str(), address.c_str())
                               : Strings::Format(Str::DccFileRequest, nick.c_str(), address.c_str(), fileName.c_str(),
                                                 size.c_str());
    else
        text = kind == DccChat ? Strings::Format(Str::DccChatRequestAt, nick.c_str(), address.c_str(), target.c_str())
                               : Strings::Format(Str::DccFileRequestAt, nick.c_str(), address.c_str(),
                                                 fileName.c_str(), size.c_str(), target.c_str());
    if (NeedsConfirmation())
        text += "\n\n" + Strings::Format(Str::DccRequestWarning, target.c_str(), targetKind.c_str());
    return text;
}

std::string Question::IgnoreCommand() const
{
    int flags = 6;
    if (kind == PrivateChat)
        flags = 2;
    else if (kind == DccChat || kind == DccFile)
        flags = 4;
    return StrPrintf("/ignore add %s %d", Nick().c_str(), flags);
}
