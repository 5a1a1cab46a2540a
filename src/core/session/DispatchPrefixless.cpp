// Lines the server sends without a prefix, and the helpers every handler
// shares.
#include "session/DispatchHandlers.h"

#include "text/CaseFold.h"

#include <cstdlib>
#include <ctime>

#include "config/Config.h"
#include "session/Session.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace Dispatch {

int NumericValue(std::string_view word)
{
    if (word.empty() || word.size() > 9)
        return 0;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string AfterFirstColon(const std::string &line)
{
    const size_t colon = line.find(':');
    return colon == std::string::npos ? std::string() : line.substr(colon + 1);
}

std::string RawNumericText(int value, const std::string &line)
{
    return StrPrintf("[ %04d ] %s", value, StripColon(GetRest(line, 4)).c_str());
}

std::string TopicTimeText(std::string_view seconds)
{
    const std::string text(seconds);
    char *end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (value <= 0)
        return {};
    const std::time_t time = static_cast<std::time_t>(value);
    std::tm local{};
    if (!localtime_r(&time, &local))
        return {};
    char buffer[64];
    const size_t length = std::strftime(buffer, sizeof buffer, "%d.%m.%Y %H:%M", &local);
    return std::string(buffer, length);
}

// The argument is whatever follows the first colon. A PING without any
// colon ("PING abc") is answered with its first parameter, since servers
// that send it that way expect it back; a bare "PING" gets a bare "PONG".
int Ping(Session &session, const std::string &line)
{
    std::string argument = AfterFirstColon(line);
    if (line.find(':') == std::string::npos)
        argument = GetWord(line, 2);
    const bool showPing = ReadBool("Show Ping");
    if (!argument.empty()) {
        session.SendLine("PONG " + argument);
        if (showPing)
            session.PrintTo("", TextClass::Info, Strings::Format(Str::PingPongFrom, argument.c_str()));
    } else {
        session.SendLine("PONG");
        if (showPing)
            session.PrintTo("", TextClass::Info, Strings::Get(Str::PingPong));
    }
    return 1;
}

int ServerNotice(Session &session, const std::string &line)
{
    session.PrintTo("", TextClass::Info, AfterFirstColon(line));
    return 1;
}

int Error(Session &session, const std::string &line)
{
    // The server's goodbye after our own QUIT is no error, whatever our
    // quit message said.
    if (session.HasQuit()) {
        session.PrintTo("", TextClass::Info, AfterFirstColon(line));
        return 1;
    }
    session.PrintTo("", TextClass::Error, AfterFirstColon(line));
    // A server that bans us unasked says so in its closing words.
    const std::string reason = FoldCase(AfterFirstColon(line));
    for (const char *word : {"banned", "k-lined", "g-lined", "z-lined", "k-line", "g-line", "z-line"}) {
        if (reason.find(word) != std::string::npos) {
            session.RefuseForGood();
            break;
        }
    }
    return 1;
}

int RefusedForGood(Session &session, const std::string &line)
{
    session.RefuseForGood();
    return ErrorReply(session, line);
}

} // namespace Dispatch
