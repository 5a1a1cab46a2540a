#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Session;
struct DccOffer;

// Client-to-client requests and replies (CTCP): texts of PRIVMSG and NOTICE
// framed by the byte 0x01. A session answers VERSION, PING and TIME (paced,
// see CtcpRateLimit), shows ACTION texts, hands DCC offers on, and routes
// the replies it receives to the notices pop-up or to open user-property
// sheets.
class Ctcp
{
public:
    static constexpr char kMarker = '\x01';
    static constexpr const char *kVersionText = "Brimo 1.1";

    // A PRIVMSG line whose text begins with 0x01 (the CTCP operation of the
    // server message dispatch). Always returns 1.
    static int Request(Session &session, const std::string &line);

    // Offers a WHOIS numeric, or a NOTICE line carrying a CTCP reply (text:
    // the reply without its leading 0x01), to the user-property sheets the
    // session has open (Session::PropertySheetNicks). Returns 1 when one of
    // them took the line (it is handed to Shell::UserPropertiesLine), else 0.
    static int ReplyFeed(Session &session, const std::string &text, const std::string &line);

    // A CTCP reply from sender (body: without its 0x01 bytes) in the notices
    // pop-up, as the WHOIS command's collecting option shows it. now: seconds
    // since 1970. Replies other than VERSION, TIME and PING show nothing.
    static void ShowReply(Session &session, const std::string &sender, const std::string &body, int64_t now);

    // The text without its leading 0x01 and without one trailing 0x01; a
    // text without the closing byte is taken whole.
    static std::string Body(std::string_view text);
    // The outgoing framing: 0x01, the command, a blank and the arguments
    // when there are any, 0x01.
    static std::string Frame(std::string_view command, std::string_view arguments = {});
    // The current local time in the C library's 24-character form.
    static std::string LocalTimeText();

    // What a user-property sheet fills in from a line it took: a WHOIS
    // numeric (311 address and full name, 319 channels, 301 away text, 312
    // server, 317 sign-on time) or a NOTICE carrying a CTCP reply (VERSION,
    // TIME, PING/PONG as the speed line). now: seconds since 1970.
    struct PropertyUpdate
    {
        enum Field { None, Address, Channels, Away, Server, SignOn, Version, Time, Speed };
        Field field = None;
        std::string nick; // the user the line is about
        std::string value;
        std::string fullName; // Address only
    };
    static PropertyUpdate PropertyUpdateOf(const std::string &line, int64_t now);

    // The built-in handling of a received DCC offer ("DCC CHAT ..." or "DCC
    // SEND ...", body without the framing; prefix: the sender's
    // nick!user@host), used when the Shell does not take it (TakeDccOffer).
    // With "DCC Dialog" on the offer waits in pendingRequests for the
    // question; otherwise two clickable lines go to the server window.
    // Offers with an unusable port, size or file name are dropped.
    static void ReceiveDccOffer(Session &session, const std::string &body, const std::string &senderPrefix);
    // The "/dcc" line that accepts a checked offer.
    // A passive offer (port 0) is answered by listening: "/dcc chat passive
    // nick token", "/dcc send passive nick token size file".
    static std::string AcceptingCommand(const DccOffer &offer, const std::string &nick);
};
