// Received DCC offers: queued for the question dialog or shown as two
// clickable lines whose element runs the accepting "/dcc" command.
#include "session/Ctcp.h"

#include <cstdlib>
#include <ctime>

#include "config/AppSettings.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/Question.h"
#include "conversation/Shell.h"
#include "session/AddressScope.h"
#include "session/DccOffer.h"
#include "session/Session.h"
#include "text/Decoration.h"
#include "text/FormatLine.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

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

std::string Ctcp::AcceptingCommand(const DccOffer &offer, const std::string &nick)
{
    if (offer.IsPassive() && offer.kind == DccOffer::Chat)
        return StrPrintf("/dcc chat passive %s %s", nick.c_str(), offer.token.c_str());
    if (offer.IsPassive())
        return StrPrintf("/dcc send passive %s %s %llu %s", nick.c_str(), offer.token.c_str(),
                         static_cast<unsigned long long>(offer.size), offer.fileName.c_str());
    if (offer.kind == DccOffer::Chat)
        return StrPrintf("/dcc chat connect %s %u", offer.address.c_str(), unsigned(offer.port));
    return StrPrintf("/dcc send receive %s %u %llu %s", offer.address.c_str(), unsigned(offer.port),
                     static_cast<unsigned long long>(offer.size), offer.fileName.c_str());
}

void Ctcp::ReceiveDccOffer(Session &session, const std::string &body, const std::string &senderPrefix)
{
    const std::string nick = NickFromPrefix(senderPrefix);
    const std::optional<DccOffer> offer = DccOffer::Parse(body);
    if (nick.empty() || !offer || (offer->kind != DccOffer::Chat && offer->kind != DccOffer::File)) {
        session.Log("DCC offer of %s dropped: %s", senderPrefix.c_str(), body.c_str());
        return;
    }
    const bool chat = offer->kind == DccOffer::Chat;
    const std::string &fileName = offer->fileName;
    // The connection goes to the address the sender announced: the host of
    // its prefix is often a cloak that leads nowhere.
    const std::string command = AcceptingCommand(*offer, nick);
    const Question::Kind kind = chat ? Question::DccChat : Question::DccFile;
    // The user sees where accepting connects, and is warned when an offer
    // from the network points into a local one.
    // A passive offer connects nowhere: the sender comes to us.
    const std::string where = offer->IsPassive() ? Strings::Format(Str::DccPassiveWhere, offer->address.c_str())
                                                 : AddressScope::WithPort(offer->address, offer->port);
    const std::string warnedKind = !offer->IsPassive() && AddressScope::NeedsWarning(offer->address, session.ServerAddress())
        ? Strings::Get(AddressScope::Name(AddressScope::Of(offer->address)))
        : std::string();

    if (ReadBool("DCC Dialog")) {
        std::string notice;
        if (!session.Requests().Add({kind, std::time(nullptr), nick, command, fileName}, notice)) {
            session.Log("No room among the pending requests, DCC offer of %s dropped", nick.c_str());
            if (!notice.empty())
                session.PrintTo("", TextClass::Error, notice);
            return;
        }
        if (Shell *shell = session.GetShell())
            shell->AskQuestion(
                Question::ForRequest(kind, senderPrefix, session.Key(), fileName, static_cast<int64_t>(offer->size))
                    .WithTarget(where, warnedKind));
        return;
    }

    Conversation *server = session.ServerWindow();
    const bool timeStamps = server ? server->GetToggles().timeStamps : true;
    std::string first, second;
    if (chat) {
        first = Strings::Format(Str::DccChatOfferAt, "%s", nick.c_str(), where.c_str(), "%s");
        second = Strings::Format(Str::DccChatAcceptLink, "%s", "%s");
    } else {
        const std::string readable = FormatSize(offer->size);
        first = Strings::Format(Str::DccFileOfferAt, "%s", nick.c_str(), fileName.c_str(), readable.c_str(),
                                where.c_str(), "%s");
        second = Strings::Format(Str::DccFileAcceptLink, "%s", "%s");
    }
    session.PrintTo("", TextClass::Html, ClickableLine(first, command, timeStamps));
    if (!warnedKind.empty())
        session.PrintTo("", TextClass::Error, Strings::Format(Str::DccAddressWarning, where.c_str(), warnedKind.c_str()));
    session.PrintTo("", TextClass::Html, ClickableLine(second, command, timeStamps));
}
