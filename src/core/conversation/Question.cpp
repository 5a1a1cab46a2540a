#include "conversation/Question.h"

#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

#include <cstdlib>

std::string Question::Record() const
{
    return StrPrintf("%d %s %s %lld %s", kind, prefix.c_str(), sessionKey.c_str(), static_cast<long long>(fileSize),
                     fileName.c_str());
}

bool Question::FromRecord(const std::string &record, Question &out)
{
    if (CountWords(record) < 4)
        return false;
    Question q;
    q.kind = std::atoi(GetWord(record, 1).c_str());
    q.prefix = GetWord(record, 2);
    q.sessionKey = GetWord(record, 3);
    q.fileSize = std::atoll(GetWord(record, 4).c_str());
    q.fileName = GetRest(record, 5);
    out = std::move(q);
    return true;
}

Question Question::ForCertificate(const std::string &server, const std::string &sessionKey,
                                  const std::string &fingerprint, const std::string &reasons)
{
    Question q;
    q.kind = Certificate;
    q.prefix = server;
    q.sessionKey = sessionKey;
    q.fileName = fingerprint + " " + reasons;
    return q;
}

std::string Question::Fingerprint() const
{
    return kind == Certificate ? GetWord(fileName, 1) : std::string();
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
        return Strings::Format(Str::DccChatRequest, nick.c_str(), address.c_str());
    case DccFile:
        return Strings::Format(Str::DccFileRequest, nick.c_str(), address.c_str(), fileName.c_str(),
                               FormatSize(fileSize < 0 ? 0 : static_cast<uint64_t>(fileSize)).c_str());
    case Certificate:
        return Strings::Format(Str::CertificateQuestion, prefix.c_str(), GetRest(fileName, 2).c_str(),
                               Fingerprint().c_str());
    default:
        return {};
    }
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
