// Received DCC offers: queued for the question dialog or shown as two
// clickable lines whose element runs the accepting "/dcc" command.
#include "session/Ctcp.h"

#include <cstdlib>
#include <ctime>

#include "config/AppSettings.h"
#include "config/Config.h"
#include "config/Strings.h"
#include "conversation/Conversation.h"
#include "conversation/Shell.h"
#include "session/Session.h"
#include "text/Decoration.h"
#include "text/FormatLine.h"
#include "text/StrPrintf.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

bool IsDecimal(const std::string &word, size_t maxDigits)
{
    if (word.empty() || word.size() > maxDigits)
        return false;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool UsablePort(const std::string &word)
{
    return IsDecimal(word, 5) && std::atoi(word.c_str()) > 0 && std::atoi(word.c_str()) <= 65535;
}

// The offered name without any folder part; empty when nothing usable is
// left (the receiving side must never be steered outside its folder).
std::string SafeFileName(const std::string &offered)
{
    const size_t slash = offered.find_last_of("/\\");
    std::string name = slash == std::string::npos ? offered : offered.substr(slash + 1);
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == ':')
            return {};
    }
    if (name == "." || name == "..")
        return {};
    return name;
}

// The text of a string with "%s" at both ends, formatted as a line of class
// High and wrapped in an element whose command accepts the offer.
std::string ClickableLine(const std::string &text, const std::string &command, bool timeStamps)
{
    AppSettings settings;
    LoadAppearance(settings);
    FormatContext context;
    ApplySettings(context, settings);
    context.m_timeStamps = timeStamps;
    const std::string html = FormatLine(text, TextClass::High, 0, context);
    const std::string opening = "<span id='" + EscapeAttribute(command) + "' style='cursor:hand;'>";
    // The first and the last "%s" are the placeholders; whatever the nick or
    // file name holds stays text between them.
    const size_t first = html.find("%s");
    const size_t last = html.rfind("%s");
    if (first == std::string::npos || last == first)
        return html;
    return html.substr(0, first) + opening + html.substr(first + 2, last - first - 2) + "</span>"
        + html.substr(last + 2);
}

} // namespace

void Ctcp::ReceiveDccOffer(Session &session, const std::string &body, const std::string &senderPrefix)
{
    const std::string nick = NickFromPrefix(senderPrefix);
    const std::string host = HostFromPrefix(senderPrefix);
    const bool chat = GetWord(body, 2).size() == 4 && (GetWord(body, 2)[0] | 0x20) == 'c';
    const std::string port = GetWord(body, 5);
    const std::string size = chat ? std::string() : GetWord(body, 6);
    const std::string fileName = chat ? std::string() : SafeFileName(GetWord(body, 3));
    if (nick.empty() || host.empty() || !UsablePort(port) || (!chat && (!IsDecimal(size, 18) || fileName.empty()))) {
        session.Log("DCC offer of %s dropped: %s", senderPrefix.c_str(), body.c_str());
        return;
    }
    const std::string command = chat
        ? StrPrintf("/dcc chat connect %s %s", host.c_str(), port.c_str())
        : StrPrintf("/dcc send receive %s %s %s %s", host.c_str(), port.c_str(), size.c_str(), fileName.c_str());
    const int kind = chat ? 2 : 4;

    if (ReadBool("DCC Dialog")) {
        std::string notice;
        if (!session.Requests().Add(kind, std::time(nullptr), nick, command, notice)) {
            session.Log("No room among the pending requests, DCC offer of %s dropped", nick.c_str());
            if (!notice.empty())
                session.PrintTo("", TextClass::Error, notice);
            return;
        }
        if (Shell *shell = session.GetShell())
            shell->AskQuestion(kind, senderPrefix, session.Key(), fileName, std::strtoll(size.c_str(), nullptr, 10));
        return;
    }

    Conversation *server = session.ServerWindow();
    const bool timeStamps = server ? server->GetToggles().timeStamps : true;
    std::string first, second;
    if (chat) {
        first = Strings::Format(Str::DccChatOffer, "%s", nick.c_str(), "%s");
        second = Strings::Format(Str::DccChatAcceptLink, "%s", "%s");
    } else {
        const std::string readable = FormatSize(std::strtoull(size.c_str(), nullptr, 10));
        first = Strings::Format(Str::DccFileOffer, "%s", nick.c_str(), fileName.c_str(), readable.c_str(), "%s");
        second = Strings::Format(Str::DccFileAcceptLink, "%s", "%s");
    }
    session.PrintTo("", TextClass::Html, ClickableLine(first, command, timeStamps));
    session.PrintTo("", TextClass::Html, ClickableLine(second, command, timeStamps));
}
